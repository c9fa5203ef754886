#!/usr/bin/env bash
# Installs a build tree into a scratch prefix and checks the layout the
# Debian package is made from: both programs, the shared data, the desktop
# entry (validated), the icons and the compressed manual pages (rendered
# without warnings when man is present; not checked in a build configured
# with -DPELLMARK_MAN=OFF).
# usage: check-install.sh BUILD_DIR [--no-gui]
set -euo pipefail
build="$1"
gui=1
[ "${2:-}" = "--no-gui" ] && gui=0
pages=1
grep -q '^PELLMARK_MAN:BOOL=OFF$' "$build/CMakeCache.txt" && pages=0
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage" >/dev/null

fail=0
need() { [ -e "$stage/$1" ] || { echo "missing from the installed tree: $1" >&2; fail=1; }; }
need bin/pellmark-cli
[ "$gui" = 1 ] && need bin/pellmark
need share/pellmark/localization/example-ru.reg
for f in pellbook.dtd pellbook.xsl xml-skin.reg; do need "share/pellmark/skins/$f"; done
need share/applications/pellmark.desktop
need share/icons/hicolor/scalable/apps/pellmark.svg
for s in 16 32 48 128; do need "share/icons/hicolor/${s}x${s}/apps/pellmark.png"; done
if [ "$pages" = 1 ]; then
  need share/man/man1/pellmark.1.gz
  need share/man/man1/pellmark-cli.1.gz
fi
need share/doc/pellmark/copyright
need share/doc/pellmark/changelog.gz
# The modules loaded on first use, and the installed program finding them.
for m in pellmark-zip pellmark-xmlcheck; do
  [ -n "$(find "$stage" -path "*/pellmark/$m.so")" ] || { echo "missing from the installed tree: $m.so" >&2; fail=1; }
done
src="$(cd "$(dirname "$0")/.." && pwd)"
if ! PELLMARK_CONFIG=/nonexistent/check.reg "$stage/bin/pellmark-cli" convert "$src/samples/russian-book.txt" \
     --no-config --format epub -o "$stage/book.epub" 2>"$stage/epub.err"; then
  echo "the installed pellmark-cli could not make an EPUB book: $(cat "$stage/epub.err")" >&2
  fail=1
fi

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$stage/share/applications/pellmark.desktop" || fail=1
fi
if [ "$pages" = 1 ] && command -v man >/dev/null; then
  for page in pellmark pellmark-cli; do
    warnings=$(MANWIDTH=80 man --warnings -l "$stage/share/man/man1/$page.1.gz" 2>&1 >/dev/null || true)
    if [ -n "$warnings" ]; then
      echo "$page(1): $warnings" >&2
      fail=1
    fi
  done
fi
# Every command and option of pellmark-cli's help texts is in its manual page.
[ "$pages" = 1 ] || exit $fail
page=$(zcat "$stage/share/man/man1/pellmark-cli.1.gz" | sed 's/\\-/-/g')
help=$("$stage/bin/pellmark-cli" --help; for c in convert config rules book check-xml; do "$stage/bin/pellmark-cli" "$c" --help; done)
for opt in $(grep -oE -- '(^|[[:space:][,])--?[a-zA-Z][a-zA-Z-]*' <<<"$help" | grep -oE -- '--?[a-zA-Z-]+' | sort -u); do
  grep -q -- "$opt" <<<"$page" || { echo "pellmark-cli(1) does not name $opt" >&2; fail=1; }
done
exit $fail
