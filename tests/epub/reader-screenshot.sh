#!/usr/bin/env bash
# The sample book as an EPUB, opened in an e-book reader (FBReader) on an X
# display of its own, with a screenshot kept as an artifact:
#   reader-screenshot.sh PELLMARK_CLI SAMPLE_BOOK ARTIFACT_DIR
# The book must open at its first page, the navigation document with the
# table of contents. Skips (exit 77) when fbreader, Xvfb, openbox, xdotool
# or ImageMagick's import is not installed.
set -euo pipefail

cli=$1 sample=$2 artifacts=$3
for tool in fbreader Xvfb openbox xdotool import identify unzip; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d /tmp/pm-fbr-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The reader keeps its library and reading positions under HOME: a fresh one
# opens the book at its start. A short one: with some longer HOME paths (31
# to 35 characters were seen) FBReader 0.12.10 draws a hyphen after every
# word.
export HOME=$work/h
mkdir -p "$HOME" "$artifacts"
book=$work/sample.epub
PELLMARK_CONFIG=$work/none.reg "$cli" convert "$sample" --no-config --format epub -o "$book" ||
  fail "the sample book was not converted"

# The first page of the book is the navigation document with its table.
opf=$(unzip -p "$book" OEBPS/content.opf)
first=$(sed -n 's/.*<itemref idref="\([^"]*\)".*/\1/p' <<<"$opf" | head -n 1)
[ "$first" = nav ] || fail "the book begins with \"$first\", not with the navigation document"
unzip -p "$book" OEBPS/nav.xhtml | grep -q '<nav epub:type="toc"' || fail "the navigation document has no table of contents"

# An X display of its own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1200x900x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(cat "$work/display")
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 0.5

fbreader "$book" >"$work/fbreader.log" 2>&1 &
reader=$!
pids+=($reader)
# The window is named after the book once the book is open.
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^FBReader - ' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$reader" 2>/dev/null || fail "fbreader ended: $(cat "$work/fbreader.log")"
  sleep 0.2
done
[ -n "$window" ] || fail "no fbreader window with a book appeared"
name=$(xdotool getwindowname "$window")

# The page is drawn once two screenshots a moment apart are the same.
shot=$work/shot.png
previous=""
for _ in $(seq 40); do
  sleep 0.25
  import -window root -trim +repage "$shot"  # the window with its frame and title
  sum=$(identify -format '%#' "$shot")  # of the pixels (the file carries its date)
  [ "$sum" = "$previous" ] && break
  previous=$sum
done
# A page of text has many shades (anti-aliased letters); an empty or
# unfinished window has a handful.
colours=$(identify -format %k "$shot")
[ "$colours" -gt 50 ] || fail "the reader window looks empty ($colours colours)"
cp "$shot" "$artifacts/epub-in-reader.png"
echo "The sample book in fbreader (\"$name\"): $artifacts/epub-in-reader.png"
