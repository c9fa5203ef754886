#!/usr/bin/env bash
# Builds Pellmark and runs the whole test suite: every test of the normal
# build (widget tests included, headless), then the core tests again built
# with AddressSanitizer and UndefinedBehaviorSanitizer, and the core once
# more as a user's Release build would compile it (optimisation brings
# warnings of its own). Warnings are errors in all of these. Last, each
# fuzz target (fuzz/, built with clang) runs for half a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DPELLMARK_WERROR=ON
(cd build && ctest --output-on-failure --timeout 900)
PELLMARK_BUILD_DIR=build-asan bash scripts/build.sh -DPELLMARK_GUI=OFF -DPELLMARK_BENCH=OFF -DPELLMARK_SANITIZE=ON -DPELLMARK_WERROR=ON
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure --timeout 900)
PELLMARK_BUILD_DIR=build-release bash scripts/build.sh -DCMAKE_BUILD_TYPE=Release -DPELLMARK_GUI=OFF \
  -DPELLMARK_TESTS=OFF -DPELLMARK_BENCH=OFF -DPELLMARK_WERROR=ON
bash scripts/fuzz.sh 30
