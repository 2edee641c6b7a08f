#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages as a packager would, twice, each from its own copy of the
# source tree (in the same folder, one after the other): lintian must find no error or
# warning in them, and the two data packages must hold the same files with the same bytes. The first build runs the tests in
# dh_auto_test; the second, made only to be compared, skips them (nocheck).
# A full release build: it takes long, so its CTest carries the label "package".
# usage: package_test.sh SOURCE_DIR
set -eu
src=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
for tool in dpkg-buildpackage dpkg-source lintian dh; do
  command -v $tool > /dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done
version=$(sed -n '1s/^quill-rush (\([^)]*\)).*/\1/p' "$src/debian/changelog")
jobs=$(nproc)

# copy DEST: the tree as a clean clone has it, with any changes not yet committed.
copy() {
  mkdir -p "$1"
  if git -C "$src" rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    (cd "$src" && git ls-files -z --cached --others --exclude-standard |
       tar --null --files-from=- --ignore-failed-read -cf - 2> /dev/null) | tar -xf - -C "$1"
  else
    (cd "$src" && tar --exclude=./build --exclude='./obj-*' --exclude=./.git -cf - .) | tar -xf - -C "$1"
  fi
}

# The compiler cache, when there is one: both builds are made in the same folder, so the
# second compiles nothing anew. (Debhelper gives the build a home of its own, so the
# cache's folder is named here.)
if command -v ccache > /dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
  export CCACHE_DIR
fi

# build NAME OPTIONS: the source and binary packages from a fresh copy, kept in $work/NAME.
build() {
  rm -rf "$work/tree"
  dir="$work/tree/quill-rush-$version"
  copy "$dir"
  echo "--- building ($1, DEB_BUILD_OPTIONS=$2)"
  (cd "$work/tree" && dpkg-source -b "quill-rush-$version") > "$work/$1.log" 2>&1 ||
    { tail -50 "$work/$1.log"; fail "dpkg-source -b failed"; }
  (cd "$dir" && DEB_BUILD_OPTIONS="${2:+$2 }parallel=$jobs" dpkg-buildpackage -us -uc -b) \
    >> "$work/$1.log" 2>&1 || { tail -100 "$work/$1.log"; fail "dpkg-buildpackage failed ($1)"; }
  grep -E '[0-9]+% tests passed' "$work/$1.log" || true
  mkdir -p "$work/$1"
  find "$work/tree" -maxdepth 1 -type f -exec mv {} "$work/$1/" \;
  for p in quill-rush quill-rush-data quill-rush-editor; do
    ls "$work/$1/${p}_${version}_"*.deb > /dev/null 2>&1 || fail "no package $p ($1)"
  done
}

build first "nocheck"
lintian --fail-on error,warning --info --display-experimental --no-tag-display-limit \
  "$work/first/quill-rush_${version}.dsc" "$work/first/quill-rush_${version}_"*.changes \
  > "$work/lintian" 2>&1 || { cat "$work/lintian"; fail "lintian reports errors or warnings"; }
cat "$work/lintian"
echo "lintian: no error or warning"

build second ""
# contents DEB: every file with its mode, owner and checksum, and the control fields.
contents() {
  x="$work/x"
  rm -rf "$x" && mkdir -p "$x"
  dpkg-deb -x "$1" "$x"
  dpkg-deb -f "$1"
  (cd "$x" && find . -printf '%M %u %g %p %l\n' | sort && find . -type f -exec md5sum {} + | sort -k2)
}
a=$(ls "$work/first/quill-rush-data_${version}_all.deb")
b=$(ls "$work/second/quill-rush-data_${version}_all.deb")
contents "$a" > "$work/data.first"
contents "$b" > "$work/data.second"
diff "$work/data.first" "$work/data.second" || fail "two builds give different data packages (above)"
echo "two builds give identical data packages ($(grep -c '^[0-9a-f]\{32\} ' "$work/data.first") files)"
if cmp -s "$a" "$b"; then echo "(the .deb files are identical byte for byte)"; fi
