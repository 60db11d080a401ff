#!/usr/bin/env bash
# The real program as a screen reader meets it: accessibility on, a session bus with the
# AT-SPI registry, read through pyatspi. Usage: screen_reader.sh <Tolvi binary> <output folder>
set -euo pipefail

binary=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
source "$(dirname "$0")/../../tools/xvfb.sh"
cleanup() {
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb || { echo "FAIL: no X server could be started" >&2; exit 1; }
cp "$binary" "$work/Tolvi"
cp "$(dirname "$binary")/libtolvi-net.so" "$work/" # the network module, beside it
# "Unbeatable": the computer plays four times a second.
printf '[Settings]\r\nTolvi=0\r\n' >"$work/Config.INI"
# Debian's Python, where python3-pyatspi lives, whatever python3 comes first on the path.
dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/screen_reader.py" "$work/Tolvi" \
  "$out/e2e-screen-reader.txt"
