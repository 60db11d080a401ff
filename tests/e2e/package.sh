#!/usr/bin/env bash
# The Debian package of this build: made by CPack, checked by lintian, appstreamcli and
# desktop-file-validate, unpacked into a scratch root and started from another folder under
# Xvfb. Usage: package.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
app_pid=""
source "$(dirname "$0")/../../tools/xvfb.sh"
cleanup() {
  [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.txt" 2>&1 ||
  fail "cpack: $(cat "$scratch/cpack.txt")"
debs=("$scratch"/out/tolvi_*_"$(dpkg --print-architecture)".deb)
[ -f "${debs[0]}" ] || fail "no tolvi_<version>_<arch>.deb: $(ls "$scratch/out")"
deb=${debs[0]}

# Debian's checks: a warning fails as an error does (fix it, or override it in packaging/ with
# the reason).
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$scratch/lintian.txt" 2>&1 ||
  fail "lintian: $(cat "$scratch/lintian.txt")"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks Qt: $(dpkg-deb -f "$deb" Depends)"
# The network module needs Qt Network, which the program itself no longer does.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6network6' || fail "Depends lacks Qt Network: $(dpkg-deb -f "$deb" Depends)"
grep -q '/usr/lib/.*tolvi/libtolvi-net.so$' <<<"$(dpkg-deb -c "$deb")" || fail "the network module is not in the package"
dpkg-deb -f "$deb" Recommends | grep -q 'fonts-comic-neue' || fail "the dialogs' fonts are not recommended"
# Sound is optional: ALSA is recommended, and the game installs and runs without it.
dpkg-deb -f "$deb" Recommends | grep -q 'libasound2' || fail "ALSA is not recommended"
! dpkg-deb -f "$deb" Depends | grep -q 'libasound' || fail "the package depends on ALSA"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net --explain "$root"/usr/share/metainfo/*.metainfo.xml ||
  fail "the metainfo is not valid"
desktop-file-validate "$root/usr/share/applications/tolvi.desktop" || fail "the desktop entry is not valid"
for size in 16 24 32 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/tolvi.png
  [ "$(identify -format %wx%h "$png" 2>/dev/null)" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done

# The unpacked program, started from another folder, finds its help and keeps its settings in
# the per-user folder (never in /usr, even as root).
start_xvfb || fail "no X server could be started"
elsewhere=$scratch/elsewhere
mkdir -p "$elsewhere"
(cd "$elsewhere" && QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/config" \
  exec "$root/usr/games/tolvi" >"$scratch/log.txt" 2>&1) &
app_pid=$!
window=$(wait_for_window Tolvi "$app_pid")
[ -n "$window" ] || fail "the window \"Tolvi\" did not appear: $(cat "$scratch/log.txt")"
sleep 0.5
xdotool mousemove --window "$window" 43 406 click 1 # "&Help"
[ -n "$(wait_for_window 'Tolvi Help')" ] || fail "the help did not open"

kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 0 ] || fail "the program exited with status $status: $(cat "$scratch/log.txt")"
[ -f "$scratch/config/Tolvi/Config.INI" ] || fail "no settings in the per-user folder"
written=$(find "$root" "$elsewhere" -name Config.INI)
[ -z "$written" ] || fail "settings written outside the per-user folder: $written"
echo "1 passed, 0 failed"
