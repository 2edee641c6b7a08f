#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Every room of the shipped world, drawn headless with a fixed seed, must look exactly like
# its picture in docs/screenshots/ (pixel for pixel). A change to how the game draws, or to
# the art, shows up here; retake the pictures (docs/data.md) when the change is meant.
#   screens_test.sh QUILRUSH32 DATA_TREE SCREENSHOT_DIR
set -eu
game=$1 tree=$2 shots=$3
here=$(dirname "$0")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
rooms=$(sed -n 's/^[A-Z]*ROOM \([A-Z0-9]*\).*/\1/p' "$tree/dat/init.txt")
[ -n "$rooms" ] || { echo "no rooms in $tree/dat/init.txt"; exit 1; }
status=0
for room in $rooms; do
  name=$(echo "$room" | tr 'A-Z' 'a-z')
  if [ ! -f "$shots/$name.png" ]; then
    echo "FAIL $room: no picture $shots/$name.png"; status=1; continue
  fi
  rm -rf "$tmp/prog" "$tmp/inst"
  cp -R "$tree" "$tmp/prog"
  mkdir "$tmp/inst"
  sed -i "s/^BEGIN .*/BEGIN $room/" "$tmp/prog/dat/init.txt"
  rm -f "$tmp/prog/dat/init.dat"
  printf '[Software\\UVO! Software\\QuilRush]\nDirectory=%s\n' "$tmp/inst" > "$tmp/reg.ini"
  if ! printf 'tick 10\nscreenshot %s\n' "$tmp/$name.png" |
      XDG_RUNTIME_DIR=$tmp "$game" --registry "$tmp/reg.ini" --data "$tmp/prog" --seed 1 \
        --nosound --headless > "$tmp/out" 2>&1; then
    echo "FAIL $room: the game ended with an error:"; cat "$tmp/out"; status=1; continue
  fi
  if ! diff=$(python3 "$here/png_same.py" "$shots/$name.png" "$tmp/$name.png"); then
    echo "FAIL $room: $diff"; status=1
  fi
done
[ $status -eq 0 ] && echo "every room looks as in $shots"
exit $status
