#!/usr/bin/env bash
# A deal by its number in the real program: "Tolvi --deal N" deals N at once; the table is
# photographed before the start, the deal is replayed from the Game menu, and the table must
# be the same to the pixel. Usage: deal_number.sh <Tolvi binary> <output folder>
set -euo pipefail

binary=$1
out=$2
mkdir -p "$out"
source "$(dirname "$0")/../../tools/xvfb.sh"
e2e_begin
fail() { echo "FAIL: $*" >&2; exit 1; }

# Wide enough that the start message, moved to the corner, leaves the table in view.
start_xvfb 1600x1000 || fail "no X server could be started"
cp "$binary" "$work/Tolvi"
cp "$(dirname "$binary")/libtolvi-net.so" "$work/" # the network module, beside it
# "Easy": the computer is slowest, though nothing moves before the start is confirmed.
printf '[Settings]\r\nTolvi=4\r\n' >"$work/Config.INI"
(cd / && QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
  exec "$work/Tolvi" --deal 1234567 >"$work/log.txt" 2>&1) &
app_pid=$!

window=$(wait_for_window Tolvi "$app_pid")
[ -n "$window" ] || fail "the window \"Tolvi\" did not appear: $(cat "$work/log.txt")"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The table right of the title panel, whose button shows the menu's state.
crop="542x453+$((X + 90))+$Y"

# The dealt table while "Click Ok when Ready to Start!" waits: taken once two pictures in a
# row agree, so that it is wholly drawn.
table_at_start() {
  local box
  box=$(wait_for_window Information)
  [ -n "$box" ] || fail "the start message did not appear"
  xdotool windowmove "$box" 0 0
  import -window root -crop "$crop" "$work/a.png" 2>/dev/null
  for _ in $(seq 600); do
    sleep 0.1
    import -window root -crop "$crop" "$work/b.png" 2>/dev/null
    if cmp -s "$work/a.png" "$work/b.png"; then break; fi
    mv "$work/b.png" "$work/a.png"
  done
  cp "$work/a.png" "$1"
  answer_box "$box" || fail "the start message did not take its answer"
}

table_at_start "$out/e2e-deal-1234567.png"
# Replay this deal: Alt+G opens the Game menu, R picks the command.
xdotool windowfocus "$window" 2>/dev/null || true
before=$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)
xdotool key alt+g
for _ in $(seq 600); do
  [ "$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)" -gt "$before" ] && break
  sleep 0.1
done
xdotool key r
table_at_start "$work/replayed.png"

differing=$(compare -metric AE "$out/e2e-deal-1234567.png" "$work/replayed.png" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "the replayed deal differs in $differing pixels"
# The number is drawn under the score: the label's corner is not one flat colour.
colours=$(convert "$out/e2e-deal-1234567.png" +repage -crop "90x12+$((632 - 2 - 90 - 90))+236" \
  -format %k info:)
[ "$colours" -gt 2 ] || fail "no deal number under the score"
# No sound device here: one line in the log, no hang.
[ "$(grep -c '^Sound:' "$work/log.txt" || true)" -le 1 ] || fail "more than one sound line"

kill -TERM "$app_pid"
for _ in $(seq 600); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the program did not close"
app_pid=""
echo "1 passed, 0 failed"
