#!/usr/bin/env bash
# Builds the Debian package of Pellmark: installs the packaging tools when
# missing, configures a Release build in $PELLMARK_PKG_DIR (default
# /tmp/pm-pkg) installing under /usr, builds it and runs `cpack -G DEB`.
# Prints the path of the .deb on the last line.
# Install it with:  sudo apt-get install ./pellmark_*.deb
set -euo pipefail

SRC="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${PELLMARK_PKG_DIR:-/tmp/pm-pkg}"
JOBS="${PELLMARK_JOBS:-$(nproc)}"

# The build's own dependencies, then the packaging tools (idempotent).
"$SRC/scripts/install-deps.sh"
TOOLS=(dpkg-dev fakeroot file)
missing=()
for p in "${TOOLS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Debian's linker hardening (relro, bind now) for the programs.
cmake -S "$SRC" -B "$BUILD" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_EXE_LINKER_FLAGS="$(DEB_BUILD_MAINT_OPTIONS=hardening=+bindnow dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DPELLMARK_TESTS=OFF -DPELLMARK_BENCH=OFF >&2
cmake --build "$BUILD" -j"$JOBS" >&2
rm -f "$BUILD"/pellmark_*.deb
(cd "$BUILD" && cpack -G DEB >&2)

bash "$SRC/scripts/check-install.sh" "$BUILD" >&2
deb="$(ls "$BUILD"/pellmark_*.deb)"
echo "$deb"
