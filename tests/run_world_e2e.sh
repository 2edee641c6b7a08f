#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the game headless over a fixture installation with a drive script and compares
# what it printed with the expected lines (the script's own "expect" lines say what else
# must hold); a screenshot the script takes must be a PNG of the whole 632x453 client area.
# usage: run_world_e2e.sh QUILRUSH32 FIXTURE_DIR DRIVE_SCRIPT EXPECTED_OUTPUT [INIT_TXT]
# INIT_TXT, when given, replaces the fixture's world script.
set -eu
bin=$1 fixture=$2 drive=$3 expected=$4 init=${5:-}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp -r "$fixture" "$tmp/prog"
[ -n "$init" ] && cp "$init" "$tmp/prog/dat/init.txt"
mkdir "$tmp/inst"
printf '[Software\\UVO! Software\\QuilRush]\nDirectory=%s\n' "$tmp/inst" > "$tmp/reg.ini"
sed "s|@SHOT@|$tmp/shot.png|" "$drive" > "$tmp/drive"
XDG_RUNTIME_DIR=$tmp XDG_DATA_HOME=$tmp/xdg "$bin" --registry "$tmp/reg.ini" --data "$tmp/prog" --seed 1 \
    --headless "$tmp/drive" > "$tmp/out" || echo "EXIT $?" >> "$tmp/out"
sed "s|$tmp|TMP|g" "$tmp/out" | diff -u "$expected" - || exit 1
if grep -q '^screenshot' "$drive"; then
    # PNG signature, then IHDR with width 632 (0x278) and height 453 (0x1c5).
    head -c 24 "$tmp/shot.png" | od -An -tx1 | tr -d ' \n' > "$tmp/head"
    if [ "$(cat "$tmp/head")" != 89504e470d0a1a0a0000000d4948445200000278000001c5 ]; then
        echo "screenshot is not a 632x453 PNG: $(cat "$tmp/head")"
        exit 1
    fi
fi
