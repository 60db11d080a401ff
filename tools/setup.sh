#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and nothing when all are present.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libasound2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format
  fonts-comic-neue fonts-liberation2
  xvfb xdotool x11-utils imagemagick libx11-dev libxdamage-dev
  librsvg2-bin dpkg-dev file lintian appstream desktop-file-utils libfontconfig-dev
  libzstd-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  at-spi2-core dbus-x11 python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  command -v sudo >/dev/null || {
    echo "Missing packages (${missing[*]}): run this as root, or install sudo first" >&2
    exit 1
  }
  sudo=(sudo)
fi
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
