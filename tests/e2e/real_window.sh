#!/usr/bin/env bash
# The real program in a real X window: deal, play with the keys, watch the computer play,
# close it, and check what it wrote. Usage: real_window.sh <Tolvi binary> <output folder>
# [scale]; with a scale the toolkit scales the whole window by it (QT_SCALE_FACTOR) and the
# screenshots are named e2e-*-<scale>x.png.
set -euo pipefail

binary=$1
out=$2
scale=${3:-1}
suffix=""
[ "$scale" = 1 ] || suffix="-${scale}x"
mkdir -p "$out"
work=$(mktemp -d)
app_pid=""
source "$(dirname "$0")/../../tools/xvfb.sh"
cleanup() {
  [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A display of our own.
start_xvfb "$((1024 * scale))x$((768 * scale))" || fail "no X server could be started"

# A fresh folder: the program writes its settings beside itself.
cp "$binary" "$work/Tolvi"
[ -f "$(dirname "$binary")/Tolvi.HLP" ] && cp "$(dirname "$binary")/Tolvi.HLP" "$work/"
# "Unbeatable": the computer plays four times a second, so a flight is easy to catch.
printf '[Settings]\r\nTolvi=0\r\n' >"$work/Config.INI"
(cd / && QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" XDG_CONFIG_HOME="$work/config" \
  exec "$work/Tolvi" >"$work/log.txt" 2>&1) &
app_pid=$!


window=$(wait_for_window Tolvi)
[ -n "$window" ] || fail "the window \"Tolvi\" did not appear"
sleep 0.5

eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = $((632 * scale)) ] && [ "$HEIGHT" = $((453 * scale)) ] ||
  fail "window is ${WIDTH}x${HEIGHT}, not 632x453 times $scale"
left=$X
top=$Y

grab() { import -window root -crop "$1" "$2" 2>/dev/null; }
region() { # client rectangle "x y w h" of the main window in layout pixels, as an import crop
  echo "$(($3 * scale))x$(($4 * scale))+$((left + $1 * scale))+$((top + $2 * scale))"
}

# Deal, then confirm "Click Ok when Ready to Start!".
xdotool mousemove --window "$window" $((43 * scale)) $((350 * scale)) click 1
box=$(wait_for_window Information)
[ -n "$box" ] || fail "the start message did not appear"
xdotool windowfocus "$box" 2>/dev/null || true
sleep 0.2
xdotool key Return
sleep 0.5
grab "$(region 0 0 632 453)" "$out/e2e-table-after-deal$suffix.png"

# Play with the keys while the computer plays on its table (CardTable2 at 423, 168).
table2=$(region 423 168 131 156)
grab "$table2" "$work/before.png"
changed=no
for _ in $(seq 40); do
  xdotool windowfocus "$window" 2>/dev/null || true
  for key in 1 2 3 4; do xdotool key "$key"; done
  sleep 0.5
  grab "$table2" "$work/now.png"
  if ! cmp -s "$work/before.png" "$work/now.png"; then changed=yes; break; fi
done
[ "$changed" = yes ] || fail "no card changed on the computer's table"
grab "$(region 0 0 632 453)" "$out/e2e-table-in-play$suffix.png"

# The computer's card on its way from its slot to a pile: the strip between the rows holds
# something other than the empty table. Caught at 1x only: a 2x screenshot takes longer than
# the flight lasts.
if [ "$scale" = 1 ]; then
  strip() { convert "$1" +repage -crop "$((356 * scale))x$((32 * scale))+$((259 * scale))+$((126 * scale))" +repage "$2"; }
  grab "$(region 0 0 632 453)" "$work/rest.png"
  strip "$work/rest.png" "$work/rest-strip.png"
  caught=no
  for _ in $(seq 150); do
    # A decided game asks to play again: yes, and ready to start.
    box=$(xdotool search --onlyvisible --name '^Information$' 2>/dev/null | head -n 1 || true)
    if [ -n "$box" ]; then
      xdotool windowfocus "$box" key Return 2>/dev/null || true
      sleep 0.3
      continue
    fi
    xdotool key --window "$window" 1 2 3 4 2>/dev/null || true
    grab "$(region 0 0 632 453)" "$work/frame.png"
    strip "$work/frame.png" "$work/frame-strip.png"
    differing=$(compare -metric AE "$work/rest-strip.png" "$work/frame-strip.png" null: 2>&1 || true)
    if [ "${differing%%.*}" -gt $((400 * scale * scale)) ] 2>/dev/null; then caught=yes; break; fi
  done
  [ "$caught" = yes ] || fail "no card was seen in flight"
  cp "$work/frame.png" "$out/e2e-mid-flight$suffix.png"
  # The cards each side still has to lay, beside the piles.
  sleep 1
  grab "$(region 90 0 180 453)" "$out/e2e-cards-to-go$suffix.png"
fi

# Close the window as a session end does.
kill -TERM "$app_pid"
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then fail "the program did not close"; fi
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 0 ] || fail "the program exited with status $status: $(cat "$work/log.txt")"

config="$work/Config.INI"
[ -f "$config" ] || fail "Config.INI was not written beside the program"
tr -d '\r' <"$config" >"$work/config.txt"
config="$work/config.txt"
grep -qx '\[Settings\]' "$config" || fail "no section Settings"
sections=0
for deck in Single Double; do
  for scoring in Normal "Las Vegas"; do
    for level in Unbeatable "Very Hard" Hard "Not Bad" Easy; do
      grep -qxF "[$deck Deck - $scoring Scoring - $level]" "$config" && sections=$((sections + 1))
    done
  done
done
[ "$sections" = 20 ] || fail "$sections of 20 hall-of-fame sections written"
echo "1 passed, 0 failed"
