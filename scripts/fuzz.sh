#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang into build-fuzz and runs
# each for a bounded time: scripts/fuzz.sh [SECONDS per target, default 60].
# Each target starts from its seed corpus (the tests' data, samples/ and
# fuzz/seeds/<target>) copied into a scratch folder, so the repository gets
# no new files. Fails when a target crashes, and names the crashing input.
# PELLMARK_FUZZ_TARGETS="convert rules" runs only those.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
SECONDS_EACH=${1:-60}
TARGETS=${PELLMARK_FUZZ_TARGETS:-convert regedit bookmarks dtd codepage rules}
BUILD_DIR=build-fuzz
JOBS=${PELLMARK_JOBS:-$(nproc)}

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLMARK_FUZZ=ON >/dev/null
cmake --build "$BUILD_DIR" -j"$JOBS" --target pm_fuzzers >/dev/null

SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/pellmark-fuzz.XXXXXX")

# The seed files of a target.
shopt -s nullglob
seeds_of() {
  local files=()
  case "$1" in
    convert) files=(samples/* tests/data/*.txt tests/data/*.html) ;;
    regedit) files=(tests/data/*.reg share/skins/*.reg share/localization/*.reg) ;;
    bookmarks) files=(tests/data/*.html) ;;
    dtd) files=(share/skins/*.dtd) ;;
    codepage) files=(samples/* tests/data/*.txt) ;;
  esac
  files+=(fuzz/seeds/"$1"/*)
  local f
  for f in "${files[@]}"; do cp "$f" "$2/${f//\//_}"; done
}

failed=()
for t in $TARGETS; do
  dir="$SCRATCH/$t"
  mkdir -p "$dir/corpus" "$dir/seeds"
  seeds_of "$t" "$dir/seeds"
  # The conversion target takes its options from the first eight bytes: the
  # seeds also come with the default option set in front.
  if [ "$t" = convert ]; then
    for f in "$dir"/seeds/*; do
      { printf '\xff\xff\xff\x0f\x03\x50\x50\x12'; cat "$f"; } >"$f.opts"
    done
  fi
  log="$dir/log.txt"
  if nice -n 19 "$BUILD_DIR/bin/fuzz_$t" -max_total_time="$SECONDS_EACH" -timeout=20 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$dir/" "$dir/corpus" "$dir/seeds" >"$log" 2>&1; then
    stats=$(grep -E '^#[0-9]+.*(DONE|pulse|NEW|REDUCE)' "$log" | tail -1 | sed -E 's/^#([0-9]+)[[:space:]]+[A-Z]+[[:space:]]+/runs \1 /' || true)
    echo "fuzz_$t: ok ($stats)"
  else
    failed+=("$t")
    echo "fuzz_$t: FAILED; its log: $log" >&2
    grep -E 'ERROR|SUMMARY|runtime error' "$log" | head -5 >&2 || true
    for a in "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-* "$dir"/slow-unit-*; do
      echo "  crashing input: $a (replay: $BUILD_DIR/bin/fuzz_$t $a)" >&2
    done
  fi
done

count=$(wc -w <<<"$TARGETS")
echo "fuzz: $((count - ${#failed[@]})) passed, ${#failed[@]} failed"
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs kept in $SCRATCH)" >&2
  exit 1
fi
rm -rf "$SCRATCH"
