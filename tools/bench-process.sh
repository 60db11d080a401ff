#!/usr/bin/env bash
# Whole-process figures on a real X server (Xvfb), the program beside the reference (a minimal
# Qt Widgets program with a 640 x 480 window, ten 71 x 96 pixmaps, five push buttons and four
# labels in the default font), taking turns, at each scale with the reference at the same scale:
# - start-up: exec to the main window mapped, median of RUNS runs (goal at most 1.05 x the
#   reference), and exec to the first frame drawn into that window (goal at most 1.10 x);
# - peak memory: the maximum resident set of the run (goal at most 3 MiB above the reference
#   per unit of scale: + 3 MiB at 100 %, + 6 MiB at 200 %, + 9 MiB at 300 %);
# - idle: CPU used over 10 s with the window open and no game; goal under 1 % of one core;
# - the shared libraries each program has mapped when its first frame is seen, side by side.
# Every figure carries the machine's load while it was taken (the 1-minute average, lowest and
# highest over its runs): on a busy machine both programs wait for a processor and the ratios
# shrink towards 1.
#   tools/bench-process.sh [build folder]     (make bench-process; RUNS=20 to change; SCALE=2
#   for one scale only, else 1, 2 and 3, each on a screen that large with the toolkit scaling
#   both programs by it)
set -euo pipefail
build=${1:-build-release}
runs=${RUNS:-10}
scales=${SCALE:-1 2 3}
idle_ms=${IDLE_MS:-10000}
probe=$(realpath -m "$build/bench/startup_probe")
work=$(mktemp -d)
source "$(dirname "$0")/xvfb.sh"
cleanup() {
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

[ -x "$probe" ] || { echo "$probe is missing (X11 development files?)" >&2; exit 1; }
# Both programs from one fresh folder, so neither finds settings of an earlier run.
cp "$build/app/Tolvi" "$build/app/libtolvi-net.so" "$build/bench/ref_window" "$work/"
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"

load() { cut -d' ' -f1 /proc/loadavg; }
measure() { # program settle idle -> one probe line, with the load before it
  echo "load=$(load) $(cd "$work" && "$probe" "$2" "$3" "./$1" 2>/dev/null | tail -1)"
}
field() { sed -n "s/.*$1=\([-0-9.]*\).*/\1/p"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# "load 0.42 (0.30-0.61)": the median load over the lines of the files, lowest and highest.
loads() {
  cat "$@" | field load | sort -g |
    awk '{ v[NR] = $1 } END { printf "load %.2f (%.2f-%.2f)", v[int((NR + 1) / 2)], v[1], v[NR] }'
}

summary=$work/summary.txt
echo "| scale | reference -> window mapped | first frame drawn | peak memory | load |" >"$summary"
for scale in $scales; do
  stop_xvfb
  start_xvfb "$((1024 * scale))x$((768 * scale))" || exit 1
  export QT_SCALE_FACTOR="$scale"
  memory_goal=$((3 * scale))
  # One run of each first, to warm the file cache.
  measure Tolvi 200 0 >/dev/null
  measure ref_window 200 0 >/dev/null
  : >"$work/Tolvi.txt"
  : >"$work/ref_window.txt"
  for _ in $(seq "$runs"); do
    for p in Tolvi ref_window; do measure "$p" 500 0 >>"$work/$p.txt"; done
  done
  for p in Tolvi ref_window; do measure "$p" 500 "$idle_ms" >"$work/$p.idle"; done
  # What each has loaded by its first frame: one more run each, its maps copied at that moment.
  for p in Tolvi ref_window; do
    : >"$work/$p.maps"
    PROBE_MAPS="$work/$p.maps" measure "$p" 200 0 >/dev/null
    awk '$6 ~ /\.so/ { n = split($6, part, "/"); print part[n] }' "$work/$p.maps" | sort -u >"$work/$p.libs"
  done

  t_map=$(field map_ms <"$work/Tolvi.txt" | median)
  r_map=$(field map_ms <"$work/ref_window.txt" | median)
  t_paint=$(field paint_ms <"$work/Tolvi.txt" | median)
  r_paint=$(field paint_ms <"$work/ref_window.txt" | median)
  t_rss=$(field maxrss_kib <"$work/Tolvi.txt" | median)
  r_rss=$(field maxrss_kib <"$work/ref_window.txt" | median)
  t_idle=$(field idle_cpu_percent <"$work/Tolvi.idle")
  r_idle=$(field idle_cpu_percent <"$work/ref_window.idle")
  l_runs=$(loads "$work/Tolvi.txt" "$work/ref_window.txt")
  l_idle=$(loads "$work/Tolvi.idle" "$work/ref_window.idle")

  echo "Whole process on Xvfb at scale $scale ($runs runs each, medians; $(nproc) cores)"
  awk -v t="$t_map" -v r="$r_map" -v l="$l_runs" 'BEGIN { printf "start-up to the window mapped: Tolvi %.1f ms, reference %.1f ms: %.2f x (goal <= 1.05 x); %s\n", t, r, t / r, l }'
  awk -v t="$t_paint" -v r="$r_paint" -v l="$l_runs" 'BEGIN { printf "start-up to the first frame drawn: Tolvi %.1f ms, reference %.1f ms: %.2f x (goal <= 1.10 x); %s\n", t, r, t / r, l }'
  awk -v t="$t_rss" -v r="$r_rss" -v g="$memory_goal" -v l="$l_runs" 'BEGIN { printf "peak memory: Tolvi %.1f MiB, reference %.1f MiB: %+.1f MiB (goal <= +%d MiB); %s\n", t / 1024, r / 1024, (t - r) / 1024, g, l }'
  awk -v t="$t_idle" -v r="$r_idle" -v s="$idle_ms" -v l="$l_idle" 'BEGIN { printf "idle over %.0f s with the window open and no game: Tolvi %.2f %%, reference %.2f %% of one core (goal < 1 %%); %s\n", s / 1000, t, r, l }'
  echo "shared libraries mapped at the first frame: Tolvi $(wc -l <"$work/Tolvi.libs"), reference $(wc -l <"$work/ref_window.libs") (< only Tolvi, > only the reference)"
  diff "$work/Tolvi.libs" "$work/ref_window.libs" | grep '^[<>]' || echo "the same"
  echo "both: $(comm -12 "$work/Tolvi.libs" "$work/ref_window.libs" | tr '\n' ' ')"
  echo
  awk -v s="$scale" -v tm="$t_map" -v rm="$r_map" -v tp="$t_paint" -v rp="$r_paint" -v tr="$t_rss" -v rr="$r_rss" -v l="$l_runs" \
    'BEGIN { printf "| %d %% | %.2f x | %.2f x | %+.1f MiB | %s |\n", s * 100, tm / rm, tp / rp, (tr - rr) / 1024, l }' >>"$summary"
done
cat "$summary"
