#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole games played headless on the built data tree with the stand-in player, on a quiz of
# three levels built for them (tests/fixtures/three_levels.qrs):
#   play_game_test.sh QUILRUSH32 DATA_TREE QRWTOOL
# 1. accuracy 100 plays every level of the module to the diploma and enters the table;
# 2. the same seed gives the same transcript, byte for byte;
# 3. accuracy 30 loses every life, ends in the start room, and the score is in hiscores.dat;
# 4. the pause panel's links reach the launcher; one that fails is reported with its number.
set -eu
game=$1; tree=$2; qrwtool=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

fresh() {
  rm -rf "$tmp/home"
  mkdir -p "$tmp/home"
  cp -R "$tree" "$tmp/home/QuilRush"
  rm -f "$tmp/home/QuilRush/quilrush.ini" "$tmp/home/QuilRush/dat/hiscores.dat"
}
printf '[Software\\UVO! Software]\nDevHome=%s\n' "$tmp/home" > "$tmp/registry.ini"
run() { # SEED SCRIPT OUT
  XDG_RUNTIME_DIR=$tmp "$game" --headless "$2" --registry "$tmp/registry.ini" --seed "$1" \
    > "$3" 2>&1 || echo "EXIT $?" >> "$3"
}

list=$tmp/three_levels.qrw
"$qrwtool" build "$(dirname "$0")/fixtures/three_levels.qrs" "$list" \
  --strings "$tree/str/qr_eng.str" || fail "the three-level module did not build"
cat > "$tmp/perfect" <<END
tick 5
module $list
newgame
autoplay 100
until room DIPLOMA 200000
state
END
fresh; run 7 "$tmp/perfect" "$tmp/out1"
grep -q '^EXIT' "$tmp/out1" && { cat "$tmp/out1"; fail "the perfect player did not reach the diploma"; }
levels=$(grep '^LEVEL ' "$tmp/out1" | cut -d' ' -f2 | tr '\n' ' ')
[ "$levels" = "0 1 2 " ] || fail "levels played: $levels"
grep -q '^WRONG' "$tmp/out1" && fail "the perfect player clicked a wrong cell"
grep -q '^LIVES [0-4]$' "$tmp/out1" && fail "the perfect player lost a life"
grep -q '^HISCORE 1$' "$tmp/out1" || fail "the finished game did not enter the table"
grep -q '"room":"DIPLOMA"' "$tmp/out1" || fail "no diploma"

fresh; run 7 "$tmp/perfect" "$tmp/out2"
cmp -s "$tmp/out1" "$tmp/out2" || { diff "$tmp/out1" "$tmp/out2" | head; fail "the same seed played differently"; }

cat > "$tmp/poor" <<END
tick 5
module $list
newgame
autoplay 30 5
until room MODSTART 400000
state
END
fresh; run 11 "$tmp/poor" "$tmp/out3"
grep -q '^EXIT' "$tmp/out3" && { tail -5 "$tmp/out3"; fail "the poor player's game did not end in the start room"; }
grep -q '^LIVES 0$' "$tmp/out3" || fail "the lives did not run out"
grep -q '^TALLY [1-5] failed$' "$tmp/out3" || fail "no row failed"
grep -q '^HISCORE [0-9]' "$tmp/out3" || fail "the score did not enter the table"
[ -s "$tmp/home/QuilRush/dat/hiscores.dat" ] || fail "no hiscores.dat after the game"
# The addresses come with the language's texts; a launcher's failure (false: status 1, a
# program that is not there: 2) becomes the number in the message, success shows nothing.
cat > "$tmp/links" <<END
tick 5
module $list
newgame
tick 60
click box T1
click box WEBVISIT
launcher false
click box EMAIL
launcher $tmp/no-such-launcher
click box WEBVISIT
END
fresh; run 3 "$tmp/links" "$tmp/out4"
grep '^LINK\|^DIALOG\|^EXIT' "$tmp/out4" > "$tmp/links.got"
cat > "$tmp/links.want" <<'END'
LINK https://example.org/quill-rush
LINK mailto:quill-rush@example.org
DIALOG Internet Link | Unable to link to URL (error 1) | OK -> OK
LINK https://example.org/quill-rush
DIALOG Internet Link | Unable to link to URL (error 2) | OK -> OK
END
diff "$tmp/links.want" "$tmp/links.got" || fail "the links did not go as expected"
echo "perfect: levels $levels to the diploma; poor: out of lives into the table"
