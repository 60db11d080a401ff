#!/usr/bin/env bash
# The in-process benchmarks, each beside its reference in the same run, and a summary of the
# figures as ratios against their references and goals.
#   tools/bench.sh [build folder]        (make bench)
# The play is measured twice: on the offscreen platform and on a real X server (Xvfb), where
# "on screen" means handed to the X server.
set -euo pipefail
build=${1:-build-release}
bin=$build/bench
out=$(mktemp -d)
source "$(dirname "$0")/xvfb.sh"
cleanup() {
  stop_xvfb
  rm -rf "$out"
}
trap cleanup EXIT

run() { # name platform binary [args...]
  local name=$1 platform=$2 binary=$3
  shift 3
  echo "== $name ($platform)"
  QT_QPA_PLATFORM=$platform "$bin/$binary" --benchmark_out="$out/$name.json" \
    --benchmark_out_format=json "$@" 2>&1 | grep -v '^QStandardPaths'
  echo
}

run game offscreen selfplay_bench
run play offscreen play_bench
run scale offscreen scale_bench
start_xvfb || exit 1
run play-x11 xcb play_bench
run plays-x11 xcb plays_bench
# The plays again with everything scaled by 2, on a screen that large.
stop_xvfb
start_xvfb 2048x1536 || exit 1
QT_SCALE_FACTOR=2 run plays-x11-200 xcb plays_bench --benchmark_filter=BM_ComputerPlayFlight
stop_xvfb
run idle offscreen idle_bench
run pause offscreen pause_bench

# A figure (a time or a counter) of the first benchmark whose name starts with the prefix. The
# figures are kept as JSON: its CSV writer stops a benchmark program whose benchmarks do not all
# report the same counters.
value() { # file benchmark-name-prefix figure
  python3 - "$1" "$2" "$3" <<'PY' 2>/dev/null
import json, sys
for b in json.load(open(sys.argv[1])).get("benchmarks", []):
    if b["name"].startswith(sys.argv[2]) and sys.argv[3] in b:
        print(b[sys.argv[3]])
        break
PY
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

echo "== Summary"
for f in play play-x11; do
  p=$(value "$out/$f.json" BM_PlayToScreen real_time)
  pr=$(value "$out/$f.json" BM_PlayAndRefillToScreen real_time)
  r=$(value "$out/$f.json" BM_TwoRectanglesReference real_time)
  printf "a play to screen (%s): %.0f us, %sx the reference %.1f us; with the refill %.0f us; goal < 1000 us\n" \
    "$f" "$p" "$(ratio "$p" "$r")" "$r" "$pr"
done
for d in 1 2; do
  deal=$(value "$out/game.json" "BM_Deal/decks:$d" real_time)
  shuffles=$(value "$out/game.json" "BM_DealShuffles/decks:$d" real_time)
  printf "a deal, %s deck(s): %.0f us, of which the two 100-pass shuffles %.0f us (deal %sx shuffles)\n" \
    "$d" "$deal" "$shuffles" "$(ratio "$deal" "$shuffles")"
done
hidden=$(value "$out/game.json" "BM_SelfPlayGame/shown:0" games_per_s)
shown=$(value "$out/game.json" "BM_SelfPlayGame/shown:1" games_per_s)
printf "self-played games: %.1f games/s hidden, %.1f games/s shown (shown %sx slower)\n" \
  "$hidden" "$shown" "$(ratio "$hidden" "$shown")"
f="$out/plays-x11.json"
printf "a computer play shown (x11): %s ms CPU per frame (reference %s), %s frames/s in flight (reference %s), %s frames a play; goal < 1 ms, 60 frames/s\n" \
  "$(value "$f" BM_ComputerPlayFlight cpu_ms_per_frame)" "$(value "$f" BM_MovingPictureReference cpu_ms_per_frame)" \
  "$(value "$f" BM_ComputerPlayFlight flight_fps)" "$(value "$f" BM_MovingPictureReference flight_fps)" \
  "$(value "$f" BM_ComputerPlayFlight frames_per_play)"
for size in 100 200; do
  g="$out/plays-x11.json"
  [ "$size" = 100 ] || g="$out/plays-x11-$size.json"
  printf "at %s %% (x11): the play itself %s ms CPU; the frames without it %s ms CPU each; flight frames with the play %s ms, glow frames %s ms; goal < 0.5 ms at 100 %%, < 1 ms at 200 %%\n" \
    "$size" "$(value "$g" BM_ComputerPlayFlight play_cpu_ms)" "$(value "$g" BM_ComputerPlayFlight frame_cpu_ms_per_frame)" \
    "$(value "$g" BM_ComputerPlayFlight flight_cpu_ms_per_frame)" "$(value "$g" BM_ComputerPlayFlight glow_cpu_ms_per_frame)"
done
printf "idle CPU once the plays are shown (x11): %s %% of one core over 3 s (reference %s %%); goal 0\n" \
  "$(value "$f" BM_IdleAfterPlays cpu_percent_of_a_core)" "$(value "$f" BM_IdleReferenceWindow3s cpu_percent_of_a_core)"
for b in BM_IdleWindowNoGame BM_IdleInsidePause BM_IdleReferenceWindow; do
  printf "idle CPU, %s: %s %% of one core over 10 s; goal < 1 %%\n" "$b" \
    "$(value "$out/idle.json" "$b" cpu_percent_of_a_core)"
done
