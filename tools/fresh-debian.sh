#!/usr/bin/env bash
# The README's commands on a bare Debian 12, as a new user meets them: builds a minimal root
# with debootstrap, copies a clone of this repository's committed HEAD into it, and runs
# `./tolvi test` and then `./tolvi package` there as root. Needs root and debootstrap on the
# host; not part of CTest (it downloads and builds everything, tens of minutes).
# Usage: tools/fresh-debian.sh [work folder]
#   MIRROR=<url>  another Debian mirror than the one apt uses here
#   KEEP=1        keep the root afterwards; a later run on the same work folder reuses it and
#                 brings its clone up to the new HEAD (an incremental build, not a fresh one)
#   PACKAGE=0     only `./tolvi test`
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "fresh-debian.sh must run as root" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "debootstrap is missing: apt-get install debootstrap" >&2; exit 1; }

# The mirror apt already uses here (deb822 or one-line sources).
host_mirror() {
  local uri
  uri=$(grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | awk '/debian\/?$/ {print $2; exit}')
  [ -n "$uri" ] || uri=$(grep -hs '^deb ' /etc/apt/sources.list | awk '$3 ~ /^bookworm$/ {print $2; exit}')
  echo "${uri:-http://deb.debian.org/debian}"
}
mirror=${MIRROR:-$(host_mirror)}

work=${1:-$(mktemp -d /var/tmp/tolvi-fresh.XXXXXX)}
root=$work/root
log=$work/log.txt
mkdir -p "$work"
cleanup() { [ "${KEEP:-0}" = 1 ] || rm -rf "$root"; }
trap cleanup EXIT

step() { # name command...: runs the command, logs it, and notes its time
  local name=$1 start end
  shift
  echo "== $name" | tee -a "$log"
  start=$(date +%s)
  "$@" >>"$log" 2>&1 || { echo "FAIL: $name (see $log)" >&2; tail -n 40 "$log" >&2; exit 1; }
  end=$(date +%s)
  echo "$name: $((end - start)) s" | tee -a "$work/times.txt"
}

# Runs a command as root inside the new system, with its own /proc, /sys, /dev and /dev/shm in a
# mount namespace of this command's own, so nothing stays mounted on the host afterwards.
in_root() {
  unshare --mount --propagation private bash -euc '
    root=$1; shift
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -lc "$*"
  ' in_root "$root" "$@"
}

clone_in() {
  local head
  head=$(git -C "$repo" rev-parse HEAD)
  [ -d "$root/root/tolvi/.git" ] || git clone --quiet --no-local "$repo" "$root/root/tolvi"
  git -C "$root/root/tolvi" fetch --quiet "$repo" HEAD
  git -C "$root/root/tolvi" checkout --quiet "$head"
  echo "clone at $head"
}

echo "Bare Debian 12 in $root from $mirror" | tee "$log"
: >"$work/times.txt"
if [ -x "$root/usr/bin/apt-get" ]; then
  echo "reusing the root from an earlier run" | tee -a "$log"
else
  step "debootstrap (minbase)" debootstrap --variant=minbase bookworm "$root" "$mirror"
fi
step "clone" clone_in
step "./tolvi test" in_root 'cd /root/tolvi && ./tolvi test'
if [ "${PACKAGE:-1}" = 1 ]; then
  step "./tolvi package" in_root 'cd /root/tolvi && ./tolvi package'
  step "install the package" in_root \
    'cd /root/tolvi && apt-get install -y --no-install-recommends ./build-release/tolvi_*.deb && test -x /usr/games/tolvi'
fi

echo "== figures"
cat "$work/times.txt"
grep -E 'tests passed|Total Test time' "$log" | head -n 2
grep -c '(Skipped)' "$log" | sed 's/^/skipped: /'
grep '(Skipped)' "$log" || true
