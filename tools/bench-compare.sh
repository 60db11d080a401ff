#!/usr/bin/env bash
# Two builds of the program started in turn, start by start, beside the reference on Xvfb: for
# each, the median time to the window mapped and to the first frame and the peak memory; and the
# median of the differences between neighbouring starts of the two. Whole runs of
# tools/bench-process.sh, one build after the other, drift with the machine by more than the
# millisecond or two a change makes; starts taken in turn drift together.
#   tools/bench-compare.sh OLD_BUILD NEW_BUILD   (make bench-compare OLD=... NEW=...; RUNS=40 and
#   SCALE=1 unless told)
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 OLD_BUILD NEW_BUILD" >&2; exit 2; }
runs=${RUNS:-40}
scale=${SCALE:-1}
probe=$(realpath -m "$2/bench/startup_probe")
source "$(dirname "$0")/xvfb.sh"
e2e_begin # the work folder, removed with the display at the end
[ -x "$probe" ] || { echo "$probe is missing (X11 development files?)" >&2; exit 1; }
# Each build in a folder of its own, with its network module; neither finds settings of a run.
copy_build() { # side build
  mkdir -p "$work/$1"
  cp "$2/app/Tolvi" "$2/app/libtolvi-net.so" "$work/$1/"
}
copy_build old "$1"
copy_build new "$2"
mkdir -p "$work/reference"
cp "$2/bench/ref_window" "$work/reference/"
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
export QT_SCALE_FACTOR="$scale"
start_xvfb "$((1024 * scale))x$((768 * scale))" || exit 1

start() { # side program round -> "side round load figures"
  echo "$1 $3 $(cut -d' ' -f1 /proc/loadavg) $(cd "$work/$1" && "$probe" 300 0 "./$2" 2>/dev/null | tail -1)"
}
# One start of each first, to warm the file cache.
for side in old new; do start "$side" Tolvi 0 >/dev/null; done
start reference ref_window 0 >/dev/null
for round in $(seq "$runs"); do
  start old Tolvi "$round"
  start new Tolvi "$round"
  start reference ref_window "$round"
done >"$work/starts.txt"

echo "Starts in turn on Xvfb at scale $scale ($runs each, medians; $(nproc) cores)"
python3 - "$work/starts.txt" <<'EOF'
import re
import statistics
import sys

# Per side, the starts that drew a frame, by round.
starts = {}
for line in open(sys.argv[1]):
    side, round_, load = line.split()[:3]
    figures = dict((k, float(v)) for k, v in re.findall(r"(\w+)=([-\d.]+)", line))
    if figures.get("paint_ms", -1) >= 0:
        starts.setdefault(side, {})[round_] = dict(figures, load=float(load))
if set(starts) != {"old", "new", "reference"}:
    sys.exit("a program drew no frame")

def median(side, key):
    return statistics.median(s[key] for s in starts[side].values())

ref = {k: median("reference", k) for k in ("map_ms", "paint_ms")}
print("| build | window mapped | first frame | peak memory |")
print("|---|---|---|---|")
for side in ("old", "new", "reference"):
    cells = []
    for key in ("map_ms", "paint_ms"):
        cell = f"{median(side, key):.1f} ms"
        if side != "reference":
            cell += f" ({median(side, key) / ref[key]:.2f} x)"
        cells.append(cell)
    print(f"| {side} | {cells[0]} | {cells[1]} | {median(side, 'maxrss_kib') / 1024:.2f} MiB |")
# A round counts for the difference only when both builds drew a frame in it.
pairs = [(o, starts["new"][r]) for r, o in starts["old"].items() if r in starts["new"]]
for key, name in (("map_ms", "window mapped"), ("paint_ms", "first frame")):
    print(f"new - old, start by start, to the {name}: "
          f"{statistics.median(n[key] - o[key] for o, n in pairs):+.2f} ms (median)")
print(f"new - old, peak memory: {(median('new', 'maxrss_kib') - median('old', 'maxrss_kib')) / 1024:+.2f} MiB")
loads = sorted(s["load"] for side in starts.values() for s in side.values())
print(f"load {statistics.median(loads):.2f} ({loads[0]:.2f}-{loads[-1]:.2f})")
EOF
