#!/usr/bin/env bash
# Whole-process figures on a real X server (Xvfb), the program beside the reference (a minimal
# Qt Widgets program with a 640 x 480 window and ten 71 x 96 pixmaps), taking turns:
# - start-up: exec to the main window mapped, median of RUNS runs; goal at most 1.3 x the
#   reference; also exec to the first frame drawn into that window;
# - peak memory: the maximum resident set of the run; goal at most 15 MiB above the reference
#   (20 MiB on a scaled screen);
# - idle: CPU used over 10 s with the window open and no game; goal under 1 % of one core.
#   tools/bench-process.sh [build folder]     (make bench-process; RUNS=20 to change;
#   SCALE=2 runs both programs with the toolkit scaling everything by 2 on a screen that large)
set -euo pipefail
build=${1:-build-release}
runs=${RUNS:-20}
scale=${SCALE:-1}
idle_ms=${IDLE_MS:-10000}
probe=$build/bench/startup_probe
work=$(mktemp -d)
source "$(dirname "$0")/xvfb.sh"
cleanup() {
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

[ -x "$probe" ] || { echo "$probe is missing (X11 development files?)" >&2; exit 1; }
# Both programs from one fresh folder, so neither finds settings of an earlier run.
cp "$build/app/Tolvi" "$build/bench/ref_window" "$work/"

start_xvfb "$((1024 * scale))x$((768 * scale))" || exit 1
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" QT_SCALE_FACTOR="$scale"
memory_goal=15
[ "$scale" = 1 ] || memory_goal=20

measure() { # program settle idle -> one probe line
  (cd "$work" && "$OLDPWD/$probe" "$2" "$3" "./$1" 2>/dev/null | tail -1)
}
field() { sed -n "s/.*$1=\([-0-9.]*\).*/\1/p"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run of each first, to warm the file cache.
measure Tolvi 200 0 >/dev/null
measure ref_window 200 0 >/dev/null
: >"$work/Tolvi.txt"
: >"$work/ref_window.txt"
for i in $(seq "$runs"); do
  for p in Tolvi ref_window; do measure "$p" 500 0 >>"$work/$p.txt"; done
done
for p in Tolvi ref_window; do measure "$p" 500 "$idle_ms" >"$work/$p.idle"; done

t_map=$(field map_ms <"$work/Tolvi.txt" | median)
r_map=$(field map_ms <"$work/ref_window.txt" | median)
t_paint=$(field paint_ms <"$work/Tolvi.txt" | median)
r_paint=$(field paint_ms <"$work/ref_window.txt" | median)
t_rss=$(field maxrss_kib <"$work/Tolvi.txt" | median)
r_rss=$(field maxrss_kib <"$work/ref_window.txt" | median)
t_idle=$(field idle_cpu_percent <"$work/Tolvi.idle")
r_idle=$(field idle_cpu_percent <"$work/ref_window.idle")

echo "Whole process on Xvfb at scale $scale ($runs runs each, medians; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
awk -v t="$t_map" -v r="$r_map" 'BEGIN { printf "start-up to the window mapped: Tolvi %.1f ms, reference %.1f ms: %.2f x (goal <= 1.3 x)\n", t, r, t / r }'
awk -v t="$t_paint" -v r="$r_paint" 'BEGIN { printf "start-up to the first frame drawn: Tolvi %.1f ms, reference %.1f ms: %.2f x\n", t, r, t / r }'
awk -v t="$t_rss" -v r="$r_rss" -v g="$memory_goal" 'BEGIN { printf "peak memory: Tolvi %.1f MiB, reference %.1f MiB: %+.1f MiB (goal <= +%d MiB)\n", t / 1024, r / 1024, (t - r) / 1024, g }'
awk -v t="$t_idle" -v r="$r_idle" -v s="$idle_ms" 'BEGIN { printf "idle over %.0f s with the window open and no game: Tolvi %.2f %%, reference %.2f %% of one core (goal < 1 %%)\n", s / 1000, t, r }'
