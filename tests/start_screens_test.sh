#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The start and diploma rooms drawn headless for a vocabulary and a quiz module, and the
# initials room, in English, German and French:
#   start_screens_test.sh QUILRUSH32 DATA_TREE SCREENSHOT_DIR [--retake]
# One picture of each kind of room (the English vocabulary module's start room and diploma,
# the English initials room) must look exactly like its reference; the others must be drawn
# without an error, and whether their texts fit is the text-fit walk's check
# (text_fit_test.py), which sees every text of every language. With --retake all the
# pictures are written into SCREENSHOT_DIR instead (look at each).
set -eu
game=$1 tree=$2 shots=$3 retake=${4:-}
here=$(dirname "$0")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/home" "$tmp/shots"
cp -R "$tree" "$tmp/home/QuilRush"
printf '[Software\\UVO! Software]\nDevHome=%s\n' "$tmp/home" > "$tmp/registry.ini"
status=0
for lang in eng deu fra; do
  for kind in vocabulary quiz; do
    list=french; [ $kind = quiz ] && list=quiz
    rm -f "$tmp/home/QuilRush/quilrush.ini" "$tmp/home/QuilRush/dat/hiscores.dat"
    cat > "$tmp/drive" <<END
tick 5
module $tmp/home/QuilRush/lists/$list.qrw
go MODSTART
tick 2
screenshot $tmp/shots/modstart_${kind}_$lang.png
go DIPLOMA
tick 2
screenshot $tmp/shots/diploma_${kind}_$lang.png
END
    # The letter pad is the same for every module.
    [ $kind = vocabulary ] && printf 'go INITIALS\ntype Léa\ntick 2\nscreenshot %s\n' \
      "$tmp/shots/initials_$lang.png" >> "$tmp/drive"
    if ! XDG_RUNTIME_DIR=$tmp "$game" --headless "$tmp/drive" --registry "$tmp/registry.ini" \
        --seed 1 --nosound --language $lang > "$tmp/out" 2>&1; then
      echo "FAIL $lang $kind: the game ended with an error:"; cat "$tmp/out"; status=1
    fi
  done
done
if [ "$retake" = --retake ]; then
  cp "$tmp"/shots/*.png "$shots/"
  exit $status
fi
for name in modstart_vocabulary_eng.png diploma_vocabulary_eng.png initials_eng.png; do
  shot=$tmp/shots/$name
  [ -f "$shot" ] || { echo "FAIL: the game drew no $name"; status=1; continue; }
  if [ ! -f "$shots/$name" ]; then echo "FAIL: no picture $shots/$name"; status=1; continue; fi
  if ! diff=$(python3 "$here/png_same.py" "$shots/$name" "$shot"); then
    echo "FAIL $name: $diff"; status=1
  fi
done
[ "$(ls "$tmp"/shots/*.png | wc -l)" -eq 15 ] || { echo "FAIL: not every room was drawn"; status=1; }
[ $status -eq 0 ] && echo "the start, initials and diploma rooms look as in $shots"
exit $status
