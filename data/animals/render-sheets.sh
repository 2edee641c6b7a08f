#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders a contact sheet of every scene of every shipped animal into docs/animals/:
#   data/animals/render-sheets.sh BUILD_DIR
# BUILD_DIR is a configured build whose data tree is built (target qr_data). Scene 2 is
# released at tick 60, as the play room would when the holding time is over.
set -e
build=${1:?usage: render-sheets.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
docs="$here/../../docs/animals"
tree="$build/devhome/QuilRush"
mkdir -p "$docs"
for source in "$here"/*.txt; do
  name=$(basename "$source" .txt)
  for scene in 0 1 2 3 4 5 6; do
    if "$build/tools/anmtool/anmtool" trace "$tree/dat/$name.anm" --scene $scene | grep -q '"empty":true'; then
      continue
    fi
    "$build/tools/anmtool/anmtool" render "$tree/dat/$name.anm" --scene $scene \
      --release-at 60 --ticks 400 "$docs/$name-$scene.png"
  done
done
