#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The game starts from a copy of the built data tree, headless, in each shipped language:
# the required files are found (a missing one would show a dialog) and the string file
# matching the system language is chosen.
#   data_start_test.sh QUILRUSH32 DATA_TREE
set -eu
game=$1; tree=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/home"
cp -R "$tree" "$tmp/home/QuilRush"
rm -f "$tmp/home/QuilRush/quilrush.ini"
printf '[Software\\UVO! Software]\nDevHome=%s\n' "$tmp/home" > "$tmp/registry.ini"
status=0
for pair in enu:English deu:Deutsch fra:Fran; do
  code=${pair%%:*}; want=${pair#*:}
  rm -f "$tmp/home/QuilRush/quilrush.ini"
  out=$(printf 'tick 5\nstate\nclose\n' | "$game" --headless --registry "$tmp/registry.ini" --language "$code" 2>&1) || {
    echo "FAIL ($code): the game ended with an error:"; echo "$out"; status=1; continue; }
  # Dialogs before the state line come from start-up (a missing file, a script error);
  # the ones at the end belong to closing the window, which is the rooms' business.
  if echo "$out" | sed '/^{/,$d' | grep -q '^DIALOG'; then
    echo "FAIL ($code): a dialog at start-up:"; echo "$out"; status=1
  fi
  if ! echo "$out" | grep -q "\"workingLanguage\":\"$want"; then
    echo "FAIL ($code): expected the working language $want:"; echo "$out"; status=1
  fi
done
[ $status -eq 0 ] && echo "the game starts from the data tree in English, German and French"
exit $status
