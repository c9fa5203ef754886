#!/usr/bin/env bash
# Configures and builds Pellmark into build/ (or $PELLMARK_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${PELLMARK_BUILD_DIR:-build}
JOBS=${PELLMARK_JOBS:-$(nproc)}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"$JOBS"
