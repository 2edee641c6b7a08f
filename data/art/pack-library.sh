#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds one image library from its art folder:
#   pack-library.sh ART_DIR PALETTE OUT.px8 QRDATA PX8TOOL WORK_DIR FONTTOOL TTF
# ART_DIR/images.txt lists the pictures, one a line: NAME SOURCE [key] [dither] [runs|raw],
# and the fonts: "font NAME SLOT INK OUTLINE|none" (palette indices), which fonttool
# renders from the TrueType font TTF into the font image NAME and its extra-glyph image
# "abce" + NAME without its first four characters, both transparent in colour 15.
# SVG sources are rendered with rsvg-convert at their own size, PNG sources taken as they
# are; every picture is brought to the game palette ("key" makes its transparent pixels
# the key colour 253), and px8tool packs the lot in list order.
set -e
art=$1; palette=$2; out=$3; qrdata=$4; px8tool=$5; work=$6; fonttool=$7; ttf=$8
fontkey=15
key=253
mkdir -p "$work"
manifest="$work/manifest.txt"
echo "palette $palette" > "$manifest"
grep -v '^[[:space:]]*\(#\|$\)' "$art/images.txt" | while read -r name source opts; do
  if [ "$name" = font ]; then
    set -- $source $opts
    fname=$1; special="abce$(echo "$1" | cut -c5-)"
    "$fonttool" render "$ttf" "$2" "$palette" "$3" "$4" $fontkey "$work/$fname.png" "$work/$special.png"
    echo "image $fname $work/$fname.png key=$fontkey" >> "$manifest"
    echo "image $special $work/$special.png key=$fontkey" >> "$manifest"
    continue
  fi
  case "$source" in
    *.svg) rsvg-convert -o "$work/$name.rgba.png" "$art/$source" ;;
    *.png) cp "$art/$source" "$work/$name.rgba.png" ;;
    *) echo "$art/images.txt: $name: unknown source type $source" >&2; exit 1 ;;
  esac
  qopts=""; popts=""
  for o in $opts; do
    case "$o" in
      key) qopts="$qopts key=$key"; popts="$popts key=$key" ;;
      dither) qopts="$qopts dither" ;;
      runs|raw|lines) popts="$popts $o" ;;
      *) echo "$art/images.txt: $name: unknown option $o" >&2; exit 1 ;;
    esac
  done
  "$qrdata" quantise "$work/$name.rgba.png" "$palette" "$work/$name.png" $qopts
  echo "image $name $work/$name.png$popts" >> "$manifest"
done
"$px8tool" pack "$out" "$manifest"
