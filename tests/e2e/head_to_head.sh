#!/usr/bin/env bash
# A head-to-head match between two real copies of the program on the loopback: one started with
# --host, the other with --join, each confirming its deal and pressing 1 to 4 in its own window
# until the game ends; both then decline another game and close. Each copy's statistics name
# the same winner: one Won, the other Lost, under "Head to head".
# Usage: head_to_head.sh <Tolvi binary> <output folder>
set -euo pipefail

binary=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
pid_a=""
pid_b=""
source "$(dirname "$0")/../../tools/xvfb.sh"
source "$(dirname "$0")/loopback.sh"
cleanup() {
  [ -n "$pid_a" ] && kill -9 "$pid_a" 2>/dev/null || true
  [ -n "$pid_b" ] && kill -9 "$pid_b" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  import -window root "$out/head-to-head-failed.png" 2>/dev/null || true
  cat "$work"/*/log.txt >&2 2>/dev/null || true
  exit 1
}

start_xvfb || fail "no X server could be started"

port=$(free_loopback_port) || fail "no free port on the loopback"

for copy in a b; do
  mkdir -p "$work/$copy"
  cp "$binary" "$work/$copy/Tolvi"
  cp "$(dirname "$binary")/libtolvi-net.so" "$work/$copy/" # the network module, beside it
  printf '[Settings]\r\nScoring=0\r\nDeckSize=1\r\nTolvi=2\r\n' >"$work/$copy/Config.INI"
done

start_copy() { # folder, arguments...; the new copy's pid in $started
  local dir=$work/$1
  shift
  (cd / && QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$dir/config" exec "$dir/Tolvi" "$@" >>"$dir/log.txt" 2>&1) &
  started=$!
}

windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }

# Waits (two minutes at most) until a window of that name is mapped; its ids, one a line.
wait_for_windows() {
  local found=""
  for _ in $(seq 1200); do
    found=$(windows "$1")
    [ -n "$found" ] && break
    sleep 0.1
  done
  echo "$found"
}

answer_all() { # window name, yes or no[, "again"]: answers every box of that name now mapped
  local box
  for box in $(windows "$1"); do
    # With "again" the caller looks once more: a box a message covers takes no answer yet.
    if [ -n "${3:-}" ]; then
      answer_box "$box" "$2" nowait
    else
      answer_box "$box" "$2" || fail "a \"$1\" box did not take its answer"
    fi
  done
}

start_copy a --host "127.0.0.1:$port"
pid_a=$started
[ -n "$(wait_for_windows Tolvi)" ] || fail "the host's window did not appear"
window_a=$(windows Tolvi | head -n 1)
start_copy b --join "127.0.0.1:$port"
pid_b=$started

# Each copy asks its player to confirm the deal: two boxes.
for _ in $(seq 1200); do
  [ "$(windows Information | wc -l)" -ge 2 ] && break
  sleep 0.1
done
[ "$(windows Information | wc -l)" -ge 2 ] || fail "the two copies did not both deal"
# Each copy plays over the network module beside it, loaded as its match began.
grep -q "$work/a/libtolvi-net.so" "/proc/$pid_a/maps" || fail "the host did not load its network module"
grep -q "$work/b/libtolvi-net.so" "/proc/$pid_b/maps" || fail "the guest did not load its network module"
window_b=$(windows Tolvi | grep -vx "$window_a" | head -n 1)
[ -n "$window_b" ] || fail "the guest's window did not appear"
xdotool windowmove "$window_a" 0 0
xdotool windowmove "$window_b" 380 300
answer_all Information yes

# Both play until the game is decided: each copy then asks whether to play again. The keys
# come at a person's pace: a guest's plays closer together than the match allows are dropped.
for _ in $(seq "${H2H_ROUNDS:-1200}"); do
  for w in "$window_a" "$window_b"; do
    xdotool windowfocus "$w" 2>/dev/null || true
    xdotool key --delay 120 1 2 3 4
  done
  [ "$(windows Information | wc -l)" -ge 2 ] && break
  sleep 0.05
done
[ "$(windows Information | wc -l)" -ge 2 ] || fail "the game did not end on both sides"
sleep 0.3
# No to another game. A copy that hears the other's no before its own answer says so over
# its question: that message first, then the question, until no box is left for two seconds.
quiet=0
for _ in $(seq 600); do
  if [ -n "$(windows Error)" ]; then
    answer_all Error yes again
    quiet=0
  elif [ -n "$(windows Information)" ]; then
    answer_all Information no again
    quiet=0
  else
    quiet=$((quiet + 1))
    [ "$quiet" -ge 20 ] && break
  fi
  sleep 0.1
done
[ "$quiet" -ge 20 ] || fail "the copies kept asking"

close_copy() { # pid, folder
  kill -TERM "$1"
  for _ in $(seq 600); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$1" 2>/dev/null; then fail "a copy did not close"; fi
  local status=0
  wait "$1" || status=$?
  [ "$status" = 0 ] || fail "a copy exited with status $status"
}
close_copy "$pid_b" b
pid_b=""
close_copy "$pid_a" a
pid_a=""

count() { # folder, counter
  tr -d '\r' <"$work/$1/Config.INI" | sed -n "s/^Head to head - Single Deck: $2=//p"
}
for copy in a b; do
  [ "$(count "$copy" Played)" = 1 ] || fail "copy $copy counts $(count "$copy" Played) head-to-head games"
done
won=$(( $(count a Won) + $(count b Won) ))
lost=$(( $(count a Lost) + $(count b Lost) ))
[ "$won" = 1 ] && [ "$lost" = 1 ] || fail "not one winner: won $won, lost $lost"
[ "$(count a Won)" != "$(count b Won)" ] || fail "both copies name the same side"
echo "1 passed, 0 failed"
