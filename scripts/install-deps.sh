#!/usr/bin/env bash
# Installs, from Debian packages, everything Pellmark needs to build and test,
# and the packages named as arguments besides (scripts/package.sh names its
# packaging tools). Idempotent: when every package is already present it
# returns at once.
#   scripts/install-deps.sh [PACKAGE...]
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  clang libclang-rt-14-dev
  qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin libqt6opengl6-dev
  libgl-dev libxkbcommon-dev
  libpcre2-dev libxml2-dev libzip-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  fbreader openbox imagemagick x11-utils xdotool unzip
  dbus
  desktop-file-utils scdoc
  epubcheck
  "$@"
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}" >&2
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
