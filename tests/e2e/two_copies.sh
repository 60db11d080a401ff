#!/usr/bin/env bash
# Two copies of the real program on one Config.INI: each wins a game at the Easy level (keys
# 1 to 4 pressed quickly) and enters a name; after both have closed, both names are in the
# file. Also keeps a screenshot of the statistics page of the Scores dialog.
# Usage: two_copies.sh <Tolvi binary> <output folder>
set -euo pipefail

binary=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
pid_a=""
pid_b=""
source "$(dirname "$0")/../../tools/xvfb.sh"
cleanup() {
  [ -n "$pid_a" ] && kill -9 "$pid_a" 2>/dev/null || true
  [ -n "$pid_b" ] && kill -9 "$pid_b" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

start_xvfb || fail "no X server could be started"

cp "$binary" "$work/Tolvi"

cp "$(dirname "$binary")/libtolvi-net.so" "$work/" # the network module, beside it
printf '[Settings]\r\nScoring=0\r\nDeckSize=1\r\nTolvi=4\r\n' >"$work/Config.INI"

start_copy() { # the new copy's pid in $started, a child of this shell
  (cd / && QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" exec "$work/Tolvi" >>"$work/log.txt" 2>&1) &
  started=$!
}

# Mapped windows of a name, one id a line.
windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }

# The first mapped window of the name that is not in the list $2, within $3 tenths of a second
# (two minutes unless told: an upper bound for a machine ten times slower).
wait_for_new_window() {
  local id
  for _ in $(seq "${3:-1200}"); do
    for id in $(windows "$1"); do
      grep -qx "$id" <<<"${2:-}" || { echo "$id"; return 0; }
    done
    sleep 0.1
  done
}

start_copy
pid_a=$started
window_a=$(wait_for_new_window Tolvi "")
[ -n "$window_a" ] || fail "the first window did not appear"
start_copy
pid_b=$started
window_b=$(wait_for_new_window Tolvi "$window_a")
[ -n "$window_b" ] || fail "the second window did not appear"
xdotool windowmove "$window_a" 0 0
xdotool windowmove "$window_b" 380 300
sleep 0.5

# Deals and plays in a window until the human wins a game, and enters Name.
win_game() {
  local window=$1 name=$2 box shown
  for _ in $(seq 6); do
    xdotool mousemove --window "$window" 43 350 click 1
    box=$(wait_for_new_window Information "")
    [ -n "$box" ] || fail "the start message did not appear"
    # Gone before the keys start, or the loop below would take it for the game's end.
    answer_box "$box" || fail "the start message did not take its answer"
    box=""
    for _ in $(seq 400); do
      xdotool windowfocus "$window" 2>/dev/null || true
      xdotool key 1 2 3 4
      box=$(boxes_of_kind Information question | head -n 1)
      [ -n "$box" ] && break
      sleep 0.05
    done
    [ -n "$box" ] || fail "no game ended"
    # "... Won, Do you want to play again?": No. A human win then asks the name.
    answer_box "$box" no || fail "the end-of-game question did not take its answer"
    # Asked at once after a win; after a loss nothing comes, and this wait runs out (30 s, so
    # that a machine ten times slower still shows the name in time).
    shown=$(wait_for_new_window Name "" 300)
    if [ -n "$shown" ]; then
      xdotool windowfocus "$shown" 2>/dev/null || true
      sleep 0.2
      xdotool type "$name"
      xdotool key Return
      wait_until_gone "$shown" || fail "the name was not taken"
      return 0
    fi
  done
  fail "$name did not win in six games"
}

close_copy() { # pid
  kill -TERM "$1"
  for _ in $(seq 600); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$1" 2>/dev/null; then fail "a copy did not close"; fi
  local status=0
  wait "$1" || status=$?
  [ "$status" = 0 ] || fail "a copy exited with status $status: $(cat "$work/log.txt")"
}

win_game "$window_b" Bea
close_copy "$pid_b"
pid_b=""
win_game "$window_a" Al

# The statistics page of the Scores dialog, as the player sees it.
xdotool mousemove --window "$window_a" 43 434 click 1
scores=$(wait_for_new_window Scores "")
[ -n "$scores" ] || fail "the Scores dialog did not appear"
sleep 0.3
xdotool mousemove --window "$scores" 355 296 click 1
# The dialog grows to show the statistics.
for _ in $(seq 1200); do
  eval "$(xdotool getwindowgeometry --shell "$scores")"
  [ "$HEIGHT" -gt 312 ] && break
  sleep 0.1
done
[ "$HEIGHT" -gt 312 ] || fail "the statistics did not show (dialog ${WIDTH}x${HEIGHT})"
sleep 0.5 # only so that the picture shows the page drawn
import -window "$scores" "$out/e2e-statistics.png" 2>/dev/null || fail "no screenshot"
xdotool windowfocus "$scores" 2>/dev/null || true
xdotool key Escape
wait_until_gone "$scores" || fail "the Scores dialog did not close"
close_copy "$pid_a"
pid_a=""

tr -d '\r' <"$work/Config.INI" >"$work/config.txt"
easy=$(sed -n '/^\[Single Deck - Normal Scoring - Easy\]$/,/^$/p' "$work/config.txt")
grep -q '^[1-5]=Bea`' <<<"$easy" || fail "Bea's entry is missing: $easy"
grep -q '^[1-5]=Al`' <<<"$easy" || fail "Al's entry is missing: $easy"
played=$(sed -n 's/^Single Deck - Normal Scoring - Easy: Won=//p' "$work/config.txt")
[ "${played:-0}" -ge 2 ] || fail "the statistics count ${played:-no} wins, not both copies' wins"
echo "1 passed, 0 failed"
