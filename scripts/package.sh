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

# The build's own dependencies and the packaging tools (idempotent).
"$SRC/scripts/install-deps.sh" dpkg-dev fakeroot file

# Debian's linker hardening (relro, bind now) for the programs and for the
# modules they load.
HARDENED="$(DEB_BUILD_MAINT_OPTIONS=hardening=+bindnow dpkg-buildflags --get LDFLAGS)"
cmake -S "$SRC" -B "$BUILD" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_EXE_LINKER_FLAGS="$HARDENED" -DCMAKE_MODULE_LINKER_FLAGS="$HARDENED" \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DPELLMARK_TESTS=OFF -DPELLMARK_BENCH=OFF >&2
cmake --build "$BUILD" -j"$JOBS" >&2
rm -f "$BUILD"/pellmark_*.deb
(cd "$BUILD" && cpack -G DEB >&2)

bash "$SRC/scripts/check-install.sh" "$BUILD" >&2
deb="$(ls "$BUILD"/pellmark_*.deb)"
echo "$deb"
