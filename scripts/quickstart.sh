#!/usr/bin/env bash
# Installs what is missing, builds Pellmark and converts the bundled sample
# book, then says where the result went.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
mkdir -p out
cp samples/russian-book.txt out/russian-book.txt
export PELLMARK_CONFIG="$PWD/out/pellmark.reg"
build/bin/pellmark-cli convert out/russian-book.txt -o out/russian-book.html \
  --title "Тихая гавань" --author "Андрей Северцев" --short-title "Андрей Северцев. Тихая гавань" \
  --set "Detect Epigraphs=1"
echo "The sample book was converted: $PWD/out/russian-book.html"
echo "Open it in a web browser, or in the desktop program: build/bin/pellmark -r out/russian-book.html"
