#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Stages `cmake --install` into a temporary root (DESTDIR) and checks it as a packager
# would: the file list, the desktop and AppStream files, every manual page, and the
# installed game itself, played headless from there by a user with a fresh home. Then an
# install into a prefix of its own: the desktop's caches learn the ".qrw" type, and the
# uninstall leaves nothing behind.
# usage: install_test.sh SOURCE_DIR BUILD_DIR EXPECTED_FILES
set -eu
src=$1 build=$2 expected=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
gamedir=$(cached QR_INSTALL_GAMEDIR) bindir=$(cached QR_INSTALL_BINDIR)
licences=$(cached QR_INSTALL_LICENSES)
case $licences in ON|on|TRUE|true|1|YES|yes) licences="" ;; *) licences="?" ;; esac
sed -e "s|@GAMEDIR@|$gamedir|; s|@BINDIR@|$bindir|; s|@LICENSES@|$licences|" "$expected" > "$work/expected"
expected=$work/expected

DESTDIR="$work/stage" cmake --install "$build" --prefix /usr > "$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "cmake --install failed"; }
root="$work/stage/usr"
(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort) > "$work/files"

# --- the file list
python3 - "$work/files" "$expected" <<'PY' || exit 1
import fnmatch, sys
files = open(sys.argv[1]).read().split()
lines = [l.strip() for l in open(sys.argv[2]) if l.strip() and not l.startswith("#")]
patterns = [(l.lstrip("?"), l.startswith("?")) for l in lines]
bad = [f for f in files if not any(fnmatch.fnmatchcase(f, p) for p, _ in patterns)]
missing = [p for p, optional in patterns
           if not optional and not any(fnmatch.fnmatchcase(f, p) for f in files)]
for f in bad: print("FAIL: installed but not expected:", f)
for p in missing: print("FAIL: expected but not installed:", p)
sys.exit(1 if bad or missing else 0)
PY
echo "installed $(wc -l < "$work/files") files"

# Programs are executable; the editable sources of compiled files stay out.
programs=$(ls -d "$root/$bindir"/* "$root/$gamedir"/* | sort -u)
for p in $programs; do [ -x "$p" ] || fail "$p is not executable"; done
[ ! -e "$root/share/quilrush/dat/init.txt" ] || fail "init.txt was installed"

# --- desktop entries and AppStream metainfo
for f in "$root"/share/applications/*.desktop; do
  desktop-file-validate "$f" > "$work/dfv" 2>&1 || { cat "$work/dfv"; fail "desktop-file-validate $f"; }
  icon=$(sed -n 's/^Icon=//p' "$f")
  [ -f "$root/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$f names the icon $icon, not installed"
done
for f in "$root"/share/metainfo/*.metainfo.xml; do
  appstreamcli validate --pedantic --no-net "$f" > "$work/asv" 2>&1 || { cat "$work/asv"; fail "appstreamcli validate $f"; }
  desktop=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$f")
  [ -f "$root/share/applications/$desktop" ] || fail "$f launches $desktop, not installed"
  # The published screenshots are the ones of docs/screenshots/.
  homepage=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$f")
  shots=$(sed -n 's|.*<image>\(.*\)</image>.*|\1|p' "$f")
  [ -n "$shots" ] || fail "$f shows no screenshot"
  for shot in $shots; do
    case $shot in "$homepage"/screenshots/*) ;; *) fail "$f: $shot is not under $homepage/screenshots/" ;; esac
    [ -f "$src/docs/screenshots/${shot#"$homepage"/screenshots/}" ] || fail "$f: $shot is not in docs/screenshots/"
  done
  grep -q '<release version="[^"]*" date="[0-9-]*"' "$f" || fail "$f has no dated release"
done

# --- manual pages: every program has one, and every page renders without a warning
for p in $programs; do
  name=$(basename "$p")
  ls "$root"/share/man/man[16]/"$name".[16].gz > /dev/null 2>&1 || fail "$name has no manual page"
done
for page in "$root"/share/man/man*/*.gz; do
  zcat "$page" | groff -man -Tutf8 -ww -z 2> "$work/groff" || fail "groff failed on $page"
  [ ! -s "$work/groff" ] || { cat "$work/groff"; fail "$page renders with warnings"; }
  lines=$(zcat "$page" | groff -man -Tutf8 2>/dev/null | grep -c .)
  [ "$lines" -gt 10 ] || fail "$page renders to only $lines lines"
done

# --- the installed game, played by a user with a fresh home and no registry yet
home="$work/home"
mkdir -p "$home" "$work/run"
(cd "$root/share/quilrush" && find . -type f -exec md5sum {} + | sort) > "$work/data.before"
# The end of the script ends the session as closing the window would.
printf 'tick 20\nexpect room TITLE\nstate\n' > "$work/drive"
set +e
env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8 \
  ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}" \
  "$root/$gamedir/quilrush32" --headless "$work/drive" > "$work/out" 2> "$work/err"
code=$?
set -e
cat "$work/out"
[ "$code" = 0 ] || { cat "$work/err"; fail "the installed game ended with $code"; }
grep -q '^DIALOG' "$work/out" && fail "the installed game showed a dialog (above)"
grep -q '"room":"TITLE"' "$work/out" || fail "no state line from the title room"
registry="$home/.config/uvo-software/registry.ini"
[ -f "$registry" ] || fail "the first run registered nothing in the fresh home"
grep -q "^Directory=$home/.local/share/quilrush/\?$" "$registry" || fail "registry: $(cat "$registry")"
ls "$home/.local/share/quilrush/lists/"*.qrw > /dev/null 2>&1 || fail "the word lists were not copied for the user"
[ -f "$home/.local/share/quilrush/quilrush.ini" ] || fail "the settings were not written"
(cd "$root/share/quilrush" && find . -type f -exec md5sum {} + | sort) > "$work/data.after"
diff "$work/data.before" "$work/data.after" || fail "the game wrote into its installed data"
echo "the installed game played from a fresh home"

# --- an install into a prefix, without DESTDIR: the caches, then the uninstall
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" > "$work/install2.log" 2>&1 ||
  { cat "$work/install2.log"; fail "cmake --install --prefix failed"; }
grep -q 'Updating: update-mime-database' "$work/install2.log" || { cat "$work/install2.log"; fail "the MIME database was not updated"; }
grep -q '^application/x-quill-rush-word-list:\*\.qrw$' "$prefix/share/mime/globs" ||
  fail "the MIME database does not know *.qrw"
grep -q '^application/x-quill-rush-word-list=quarry32.desktop' "$prefix/share/applications/mimeinfo.cache" ||
  fail "the desktop database does not open word lists with quarry32"
cp "$build/install_manifest.txt" "$work/manifest"
cmake -DMANIFEST="$work/manifest" -DDATAROOT=share -P "$src/cmake/uninstall.cmake" > "$work/uninstall.log" 2>&1 ||
  { cat "$work/uninstall.log"; fail "the uninstall failed"; }
left=$(cd "$prefix" && find . -mindepth 1 ! -path ./share ! -path ./share/man ! -path "./$bindir" ! -path "./$gamedir" | sort)
[ -z "$left" ] || { echo "$left"; fail "the uninstall left these behind"; }
echo "installed into a prefix, the caches know .qrw, and the uninstall left nothing"
