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
source "$(dirname "$0")/../../tools/xvfb.sh"
e2e_begin
fail() { echo "FAIL: $*" >&2; exit 1; }

# A display of our own.
start_xvfb "$((1024 * scale))x$((768 * scale))" || fail "no X server could be started"

# A fresh folder: the program writes its settings beside itself.
cp "$binary" "$work/Tolvi"
cp "$(dirname "$binary")/libtolvi-net.so" "$work/" # the network module, beside it
[ -f "$(dirname "$binary")/Tolvi.HLP" ] && cp "$(dirname "$binary")/Tolvi.HLP" "$work/"
# "Unbeatable": the computer plays four times a second, so there are many flights. The
# program reports each flight's start, frames and end in a file (a hook for tests only):
# a flight lasts 150 ms, too short to catch in a screenshot on a busy machine.
printf '[Settings]\r\nTolvi=0\r\n' >"$work/Config.INI"
report=$work/flights.txt
: >"$report"
(cd / && QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" XDG_CONFIG_HOME="$work/config" \
  TOLVI_TEST_FLIGHT_REPORT="$report" exec "$work/Tolvi" >"$work/log.txt" 2>&1) &
app_pid=$!

window=$(wait_for_window Tolvi "$app_pid")
[ -n "$window" ] || fail "the window \"Tolvi\" did not appear: $(cat "$work/log.txt")"

eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = $((632 * scale)) ] && [ "$HEIGHT" = $((453 * scale)) ] ||
  fail "window is ${WIDTH}x${HEIGHT}, not 632x453 times $scale"
left=$X
top=$Y

grab() { import -window root -crop "$1" "$2" 2>/dev/null; }
region() { # client rectangle "x y w h" of the main window in layout pixels, as an import crop
  echo "$(($3 * scale))x$(($4 * scale))+$((left + $1 * scale))+$((top + $2 * scale))"
}

# Answers a message box by what it is (a question with Yes) and waits until it has gone.
answer() {
  answer_box "$1" yes || fail "a message box did not take its answer"
}

# Deal, then confirm "Click Ok when Ready to Start!".
xdotool mousemove --window "$window" $((43 * scale)) $((350 * scale)) click 1
box=$(wait_for_window Information)
[ -n "$box" ] || fail "the start message did not appear"
answer "$box"
sleep 0.5 # only so that the picture shows the dealt table drawn
grab "$(region 0 0 632 453)" "$out/e2e-table-after-deal$suffix.png"

# Play with the keys while the computer plays on its table (CardTable2 at 423, 168).
table2=$(region 423 168 131 156)
grab "$table2" "$work/before.png"
changed=no
# Ends as soon as the table changes; the bound is for a machine ten times slower.
for _ in $(seq 240); do
  xdotool windowfocus "$window" 2>/dev/null || true
  for key in 1 2 3 4; do xdotool key "$key"; done
  sleep 0.5
  grab "$table2" "$work/now.png"
  if ! cmp -s "$work/before.png" "$work/now.png"; then changed=yes; break; fi
done
[ "$changed" = yes ] || fail "no card changed on the computer's table"
grab "$(region 0 0 632 453)" "$out/e2e-table-in-play$suffix.png"

# The computer's card on its way from its slot to a pile. The proof is the program's report:
# a flight that drew at least one frame between the slot and the pile, then ended. Each flight
# must end (landed, or cut short by a newer card) before the next starts.
flights() { # "<flights> <drawn in the air> <landed> <faults>" from the whole lines so far
  awk '
    function between(v, a, b) { return (v >= a && v <= b) || (v >= b && v <= a) }
    $2 == "start" { if (flying) bad++; flying = 1; air = 0; n++; fx = $3; fy = $4; tx = $5; ty = $6 }
    $2 == "frame" {
      if (!flying) bad++
      else if (between($3, fx, tx) && between($4, fy, ty) &&
               !($3 == fx && $4 == fy) && !($3 == tx && $4 == ty)) air = 1
    }
    $2 == "landed" || $2 == "cut" {
      if (!flying) bad++
      flying = 0; seen += air; landed += ($2 == "landed")
    }
    END { print n + 0, seen + 0, landed + 0, bad + 0 }' <(head -n "$(wc -l <"$report")" "$report")
}
# A decided game asks to play again: yes, and ready to start.
next_game() {
  local box
  box=$(xdotool search --onlyvisible --name '^Information$' 2>/dev/null | head -n 1 || true)
  [ -z "$box" ] || answer "$box"
}
press_keys() {
  xdotool windowfocus "$window" 2>/dev/null || true
  xdotool key 1 2 3 4
}
# Plays on until a flight has been seen in the air. Ends on the report, not on a time; the
# bound (many more flights than ever needed) only stops a game that has stopped playing.
proved=no
for _ in $(seq 600); do
  read -r started in_air landed faults < <(flights)
  [ "$faults" = 0 ] || fail "the flight report is out of order: $(tail -n 20 "$report")"
  if [ "$in_air" -gt 0 ]; then proved=yes; break; fi
  [ "$started" -lt 400 ] || break
  next_game
  press_keys
  sleep 0.2
done
[ "$proved" = yes ] ||
  fail "no card was reported in flight ($started flights, $landed landed): $(tail -n 20 "$report")"
echo "flights: $started started, $in_air drawn in the air, $landed landed"

# A picture of a flight for people, best effort: taken while the report says a card is in the
# air; when every try misses it on a busy machine, the test still stands on the report, and
# the tries stop after about 15 s. At 1x only: a 2x screenshot takes longer than a flight.
if [ "$scale" = 1 ]; then
  strip() { convert "$1" +repage -crop "356x32+259+126" +repage "$2"; }
  last_word() { local word rest; read -r _ word rest < <(tail -n 1 "$report"); echo "$word"; }
  for _ in $(seq 50); do
    case $(last_word) in landed | cut) break ;; esac
    sleep 0.02
  done
  grab "$(region 0 0 632 453)" "$work/rest.png"
  strip "$work/rest.png" "$work/rest-strip.png"
  caught=no
  tries_end=$((SECONDS + 15))
  while [ "$caught" = no ] && [ "$SECONDS" -lt "$tries_end" ]; do
    next_game
    press_keys
    for _ in $(seq 50); do
      case $(last_word) in start | frame) break ;; esac
      sleep 0.02
    done
    grab "$(region 0 0 632 453)" "$work/frame.png"
    strip "$work/frame.png" "$work/frame-strip.png"
    differing=$(compare -metric AE "$work/rest-strip.png" "$work/frame-strip.png" null: 2>&1 || true)
    if [ "${differing%%.*}" -gt 400 ] 2>/dev/null; then caught=yes; fi
  done
  if [ "$caught" = yes ]; then
    cp "$work/frame.png" "$out/e2e-mid-flight$suffix.png"
  else
    echo "note: no screenshot caught a card in flight; the report shows the flights"
  fi
  # The cards each side still has to lay, beside the piles.
  sleep 1 # only so that the picture shows no glow
  grab "$(region 90 0 180 453)" "$out/e2e-cards-to-go$suffix.png"
fi

# Close the window as a session end does.
kill -TERM "$app_pid"
for _ in $(seq 600); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
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
