#!/bin/sh
# Builds one image library from its art folder:
#   pack-library.sh ART_DIR PALETTE OUT.px8 QRDATA PX8TOOL WORK_DIR
# ART_DIR/images.txt lists the pictures, one a line: NAME SOURCE [key] [dither] [runs|raw].
# SVG sources are rendered with rsvg-convert at their own size, PNG sources taken as they
# are; every picture is brought to the game palette ("key" makes its transparent pixels
# the key colour 253), and px8tool packs the lot in list order.
set -e
art=$1; palette=$2; out=$3; qrdata=$4; px8tool=$5; work=$6
key=253
mkdir -p "$work"
manifest="$work/manifest.txt"
echo "palette $palette" > "$manifest"
grep -v '^[[:space:]]*\(#\|$\)' "$art/images.txt" | while read -r name source opts; do
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
