#!/usr/bin/env bash
# Installs a built Pellmark package on a fresh Debian 12 and removes it again:
# makes a minimal bookworm root with debootstrap, installs the .deb there with
# apt-get (which fetches its dependencies), runs both programs' --version,
# finds the manual page and the desktop entry, then removes the package and
# checks that none of its files is left. Builds nothing; needs root and the
# network. The root is deleted afterwards unless PELLMARK_KEEP_ROOT=1.
# usage: check-deb-fresh.sh PATH/pellmark_VERSION_ARCH.deb
set -euo pipefail

deb="${1:?usage: check-deb-fresh.sh PATH/pellmark_VERSION_ARCH.deb}"
[ -f "$deb" ] || { echo "no such package: $deb" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "check-deb-fresh.sh must run as root (debootstrap, chroot)" >&2; exit 2; }
MIRROR="${PELLMARK_DEBIAN_MIRROR:-http://deb.debian.org/debian}"

if ! command -v debootstrap >/dev/null; then
  echo "Installing: debootstrap" >&2
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

root="$(mktemp -d /var/tmp/pm-fresh.XXXXXX)"
chmod 755 "$root"   # the root folder of the system: apt and man-db work as other users
cleanup() {
  mountpoint -q "$root/proc" && umount "$root/proc"
  if [ "${PELLMARK_KEEP_ROOT:-0}" = 1 ]; then
    echo "the Debian root stays in $root" >&2
  else
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT

step() { echo "== $*" >&2; }
in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 "$@"; }

step "debootstrap --variant=minbase bookworm $root $MIRROR"
debootstrap --variant=minbase bookworm "$root" "$MIRROR" >"$root.debootstrap.log" 2>&1 \
  || { tail -20 "$root.debootstrap.log" >&2; exit 1; }
rm -f "$root.debootstrap.log"
# A Debian 12 as installed: the updates and the security archive as well.
cat >"$root/etc/apt/sources.list" <<EOF
deb $MIRROR bookworm main
deb $MIRROR bookworm-updates main
deb http://security.debian.org/debian-security bookworm-security main
EOF
mount -t proc proc "$root/proc"
in_root apt-get update -qq
step "apt-get install -y man-db"
in_root apt-get install -y -qq man-db >/dev/null

name="$(basename "$deb")"
cp "$deb" "$root/tmp/$name"
step "apt-get install -y ./$name"
in_root sh -c "cd /tmp && apt-get install -y ./$name"

fail=0
check() { if "$@"; then :; else echo "FAILED: $*" >&2; fail=1; fi; }
step "pellmark-cli --version"
check in_root pellmark-cli --version
step "pellmark --version"
check in_root pellmark --version
step "pellmark-cli convert --format epub (the zip module loaded from the package)"
check in_root sh -c 'printf "Title\r\n\r\nThe text.\r\n" >/tmp/b.txt &&
  PELLMARK_CONFIG=/tmp/none.reg pellmark-cli convert /tmp/b.txt --no-config --format epub -o /tmp/b.epub &&
  test -s /tmp/b.epub'
step "man -w pellmark-cli"
check in_root man -w pellmark-cli
check in_root man -w pellmark
step "man pellmark-cli"
check in_root sh -c 'MANWIDTH=80 man -P cat pellmark-cli | grep -q "EXIT STATUS"'
step "the desktop entry, the icon and the licence"
for f in /usr/share/applications/pellmark.desktop \
         /usr/share/icons/hicolor/scalable/apps/pellmark.svg \
         /usr/share/doc/pellmark/copyright; do
  check test -f "$root$f"
done

# The package's own files (no folders), for the check after removal.
files="$(in_root dpkg-query -L pellmark | while read -r f; do [ -d "$root$f" ] || echo "$f"; done)"
step "apt-get remove -y pellmark"
in_root apt-get remove -y pellmark
left=0
while read -r f; do
  if [ -e "$root$f" ]; then echo "left after removal: $f" >&2; left=1; fi
done <<<"$files"
[ "$left" = 0 ] && echo "all $(wc -l <<<"$files") files of the package are gone" >&2 || fail=1

[ "$fail" = 0 ] && echo "check-deb-fresh: $name installs, works and removes cleanly on Debian 12" >&2
exit $fail
