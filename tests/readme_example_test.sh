#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The headless example of the README, run as written there (only the build folder is this
# build's), by a user whose home must stay untouched.
# usage: readme_example_test.sh SOURCE_DIR BUILD_DIR
set -eu
src=$1 build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
example=$(grep -E "^    printf '.*' \| scripts/run-game build/release " "$src/README.md" | sed 's/^    //') ||
  fail "no headless example in the README"
echo "README: $example"
mkdir "$work/home" "$work/run"
cd "$src"
out=$(env -u QUILRUSH_REGISTRY -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$work/home" \
  XDG_RUNTIME_DIR="$work/run" sh -c "$(printf '%s' "$example" | sed "s|build/release|$build|")") ||
  fail "the example ended with $?"
printf '%s\n' "$out"
printf '%s\n' "$out" | grep -q '^{.*"room":' || fail "the example printed no state line"
[ -z "$(ls -A "$work/home")" ] || fail "the example wrote into the home folder: $(cd "$work/home" && find .)"
