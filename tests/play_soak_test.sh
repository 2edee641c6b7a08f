#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Soak: the stand-in player plays game after game on every bundled module until at least
# MIN_LEVELS levels have been played (default 100). Each module is played to its diploma
# by a perfect player, then lost by a poor one, with a new seed each game. Under the
# sanitising build any memory error or leak ends the program with an error, which fails
# the test; so does a script error, an animal that cannot be read, or a game that does
# not end where it should.
#   play_soak_test.sh QUILRUSH32 DATA_TREE [MIN_LEVELS]
set -eu
game=$1; tree=$2; want=${3:-100}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
mkdir -p "$tmp/home"
cp -R "$tree" "$tmp/home/QuilRush"
printf '[Software\\UVO! Software]\nDevHome=%s\n' "$tmp/home" > "$tmp/registry.ini"
lists=$(ls "$tmp/home/QuilRush/lists/"*.qrw)
[ -n "$lists" ] || fail "no bundled modules in $tree/lists"

levels=0; games=0; seed=1
play() { # LIST ACCURACY ROOM
  seed=$((seed + 1)); games=$((games + 1))
  printf 'tick 5\nmodule %s\nnewgame\nautoplay %s\nuntil room %s 400000\n' "$1" "$2" "$3" \
    > "$tmp/script"
  out=$tmp/game$games.log
  if ! XDG_RUNTIME_DIR=$tmp "$game" --headless "$tmp/script" --registry "$tmp/registry.ini" \
      --seed $seed > "$out" 2>&1; then
    tail -20 "$out"; fail "game $games ($(basename "$1"), accuracy $2, seed $seed) failed"
  fi
  if grep -q '^DIALOG\|^ANIMAL failed' "$out"; then
    grep '^DIALOG\|^ANIMAL failed' "$out" | head -5
    fail "game $games ($(basename "$1"), seed $seed) showed a message"
  fi
  n=$(grep -c '^LEVEL ' "$out" || true)
  levels=$((levels + n))
  echo "game $games: $(basename "$1") accuracy $2 -> $3 after $n levels (seed $seed)"
  rm -f "$out"
}
while [ $levels -lt "$want" ]; do
  for list in $lists; do
    play "$list" 100 DIPLOMA
    play "$list" 30 MODSTART
    [ $levels -ge "$want" ] && break
  done
done
echo "soak: $levels levels in $games games over $(echo $lists | wc -w) modules, no error"
