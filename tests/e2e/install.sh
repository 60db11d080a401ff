#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the installed program from another folder.
# Usage: install.sh <build folder>
set -euo pipefail
build=$1
prefix=$(mktemp -d)
elsewhere=$(mktemp -d)
trap 'rm -rf "$prefix" "$elsewhere"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/loopback.sh"

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in games/tolvi share/games/tolvi/Tolvi.HLP share/games/tolvi/Tolvi.de.HLP \
         share/games/tolvi/Tolvi.fr.HLP share/applications/tolvi.desktop \
         share/icons/hicolor/scalable/apps/tolvi.svg share/icons/hicolor/48x48/apps/tolvi.png \
         share/man/man6/tolvi.6.gz; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done

module=$(find "$prefix" -name libtolvi-net.so)
[ -n "$module" ] || fail "the network module was not installed"

cd "$elsewhere"
start() { # arguments...: the installed program, up; its pid in $pid
  QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$elsewhere/config" "$prefix/games/tolvi" "$@" >log.txt 2>&1 &
  pid=$!
  # Up once it catches SIGTERM (it does so just before showing its window): a TERM before that
  # would end it outright, however long a fixed wait had been. Two minutes at most.
  for _ in $(seq 1200); do
    catches_term && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  catches_term || fail "the installed program did not come up: $(cat log.txt)"
}
catches_term() {
  local mask
  mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null) || return 1
  [ -n "$mask" ] && (((16#$mask >> 14) & 1))
}
stop() {
  kill -0 "$pid" 2>/dev/null || fail "the installed program did not stay up: $(cat log.txt)"
  kill -TERM "$pid"
  wait "$pid" || fail "the installed program exited with an error"
}

# Nothing of the network library until a match: the installed program finds its module when
# it hosts one.
start
sleep 0.5
! grep -q libQt6Network "/proc/$pid/maps" || fail "the network library is loaded without a match"
stop
port=$(free_loopback_port) || fail "no free port on the loopback"
start --host "127.0.0.1:$port"
for _ in $(seq 1200); do
  grep -q "$module" "/proc/$pid/maps" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
grep -q "$module" "/proc/$pid/maps" || fail "hosting did not load $module: $(cat log.txt)"
stop
[ -f "$elsewhere/config/Tolvi/Config.INI" ] || fail "no settings in the per-user folder"
[ ! -e "$prefix/games/Config.INI" ] || fail "the installed copy wrote into its own folder"
[ ! -e "$elsewhere/Config.INI" ] || fail "the settings went to the current folder"
echo "1 passed, 0 failed"
