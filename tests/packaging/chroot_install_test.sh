#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built packages into a fresh Debian 12 chroot with apt, as a user's machine
# would get them, and checks them there: the game starts from its menu entry's command,
# the ".qrw" type is known and opens in the editor, and removing the packages leaves
# nothing of them behind. Needs root, debootstrap and a Debian mirror; the chroot is made
# and removed here unless one is given.
# usage: chroot_install_test.sh DEB_FOLDER [CHROOT]
set -eu
debs=$(cd "$1" && pwd)
root=${2:-}
made=""
fail() { echo "FAIL: $*"; exit 1; }
cleanup() {
  [ -z "$root" ] || umount "$root/proc" 2> /dev/null || true
  [ -z "$made" ] || rm -rf "$made"
}
trap cleanup EXIT
if [ -z "$root" ]; then
  made=$(mktemp -d)
  root=$made/root
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian > "$made/debootstrap.log" 2>&1 ||
    { tail -20 "$made/debootstrap.log"; fail "debootstrap failed"; }
fi
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() { chroot "$root" env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/games HOME=/root LANG=C.UTF-8 "$@"; }

rm -rf "$root/tmp/debs" && mkdir -p "$root/tmp/debs"
cp "$debs"/quill-rush*_*.deb "$root/tmp/debs/"
in_root apt-get update -qq > /dev/null
# What a desktop brings along: the MIME database and the desktop-entry cache, whose dpkg
# triggers pick up the packages' files.
in_root sh -c 'DEBIAN_FRONTEND=noninteractive apt-get install -y -qq shared-mime-info desktop-file-utils /tmp/debs/*.deb' \
  > "$root/tmp/install.log" 2>&1 || { tail -30 "$root/tmp/install.log"; fail "apt-get install failed"; }
echo "installed: $(in_root dpkg-query -W -f='${Package} ${Version}, ' 'quill-rush*')"

# The menu entry's command, with the headless driver instead of a display.
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/quilrush32.desktop")
command=${exec_line%% *}
in_root sh -c "command -v $command" > /dev/null || fail "the menu entry's command $command is not on the PATH"
printf 'tick 20\nexpect room TITLE\nstate\n' > "$root/tmp/drive"
in_root sh -c "mkdir -p /tmp/home && HOME=/tmp/home XDG_RUNTIME_DIR=/tmp $exec_line --headless /tmp/drive" \
  > "$root/tmp/game.out" 2>&1 || { cat "$root/tmp/game.out"; fail "the game did not start from '$exec_line'"; }
grep -q '"room":"TITLE"' "$root/tmp/game.out" || { cat "$root/tmp/game.out"; fail "no title room"; }
echo "the game started from the menu entry's command ($exec_line)"

grep -q '^application/x-quill-rush-word-list:\*\.qrw$' "$root/usr/share/mime/globs" ||
  fail "the MIME database does not know *.qrw"
grep -q '^application/x-quill-rush-word-list=.*quarry32.desktop' "$root/usr/share/applications/mimeinfo.cache" ||
  fail "word lists do not open in quarry32"
echo ".qrw files are word lists and open in quarry32"

in_root sh -c 'DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quill-rush quill-rush-data quill-rush-editor' \
  > "$root/tmp/purge.log" 2>&1 || { tail -30 "$root/tmp/purge.log"; fail "apt-get purge failed"; }
left=$(cd "$root" && find usr/games usr/bin usr/share -path '*quilrush*' -o -path '*quarry32*' -o -path '*quill-rush*' | head)
[ -z "$left" ] || { echo "$left"; fail "the purge left these behind"; }
grep -q 'quill-rush-word-list' "$root/usr/share/mime/globs" && fail "the MIME database still knows the word lists"
echo "purged without a trace"
