#!/usr/bin/env bash
# The README's Layout table names exactly the folders of src/.
set -euo pipefail
cd "$(dirname "$0")/.."
actual=$(find src -mindepth 1 -type d | sort)
listed=$(grep -o '^| `src/[^`]*/`' README.md | sed 's/^| `//; s/\/`$//' | sort)
if [ "$actual" != "$listed" ]; then
  echo "README Layout and src/ differ (< folders on disk, > folders in the README):" >&2
  diff <(echo "$actual") <(echo "$listed") >&2 || true
  exit 1
fi
