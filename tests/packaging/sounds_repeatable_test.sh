#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Two builds of the sounds from one source give the same bytes (SoX dithers at random
# unless told otherwise), so that two package builds of one commit agree.
# usage: sounds_repeatable_test.sh MAKE_SOUNDS_SCRIPT
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sh "$1" "$work/a" > "$work/log" 2>&1 || { cat "$work/log"; echo "FAIL: the first build failed"; exit 1; }
sh "$1" "$work/b" > "$work/log" 2>&1 || { cat "$work/log"; echo "FAIL: the second build failed"; exit 1; }
n=$(ls "$work/a" | wc -l)
[ "$n" -gt 0 ] || { echo "FAIL: no sound was made"; exit 1; }
diff -r "$work/a" "$work/b" || { echo "FAIL: two builds of the sounds differ"; exit 1; }
echo "$n sounds, the same bytes in both builds"
