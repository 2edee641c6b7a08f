#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The rooms around a game, headless on the built data tree:
#   start_rooms_test.sh QUILRUSH32 QRWTOOL DATA_TREE QUIZ_SOURCE
# 1. start room -> initials (typed) -> start room -> initials (clicked on the pad) ->
#    start room -> a perfect game -> diploma -> start room -> initials typed into the new
#    entry of the high-score table;
# 2. clearing that table: No keeps it, Yes empties it.
set -eu
game=$1; qrwtool=$2; tree=$3; quiz=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/home"
cp -R "$tree" "$tmp/home/QuilRush"
rm -f "$tmp/home/QuilRush/quilrush.ini" "$tmp/home/QuilRush/dat/hiscores.dat"
printf '[Software\\UVO! Software]\nDevHome=%s\n' "$tmp/home" > "$tmp/registry.ini"
run() { # SCRIPT OUT
  XDG_RUNTIME_DIR=$tmp LANG=en_GB.UTF-8 "$game" --headless "$1" --registry "$tmp/registry.ini" \
    --seed 5 > "$2" 2>&1 || echo "EXIT $?" >> "$2"
}

# The quiz cut to its first level keeps the game to the diploma short.
list=$tmp/home/QuilRush/lists/short.qrw
sed '/^level:/{/Animal friends/!d}' "$quiz" > "$tmp/short.qrs"
"$qrwtool" build "$tmp/short.qrs" "$list" > /dev/null
# The pad: the box LETTERPAD starts at (50, 130); rows of 39 pixels, cells of 25.
cat > "$tmp/game" <<END
tick 5
module $list
go MODSTART
click box CHANGENAME
expect room INITIALS
type kid
expect state initials ---
press ENTER
expect room MODSTART
expect state initials KID
click box CHANGENAME
# Z (row 1, cell 12), 7 (row 4, cell 7), Q (row 1, cell 3), then OK.
click 442 174
click 230 291
click 217 174
click box OK
expect room MODSTART
expect state initials Z7Q
# The quickest game: the fastest speed, every card clicked at once.
click box S3
click box PLAYGAME
expect room PLAY
autoplay 100 0
until room DIPLOMA 200000
expect state lastPlace 1
expect state scores.0.initials Z7Q
click box DONE
expect room MODSTART
click box CHANGENAME
type Ann
press ENTER
expect room MODSTART
expect state scores.0.initials ANN
expect state lastPlace 1
END
run "$tmp/game" "$tmp/out1"
grep -q '^EXIT' "$tmp/out1" && { tail -5 "$tmp/out1"; fail "the round through the rooms"; }
grep -q '^HISCORE 1$' "$tmp/out1" || fail "the game did not enter the table"
grep -q '^ROOM DIPLOMA -> MODSTART$' "$tmp/out1" || fail "the diploma did not lead back"

cat > "$tmp/clear" <<END
tick 5
module $list
go MODSTART
expect state scores.0.initials ANN
answer No
click box CLEAR
expect state scores.0.initials ANN
answer Yes
click box CLEAR
expect state scores.0 {"initials":"---","score":0}
END
run "$tmp/clear" "$tmp/out2"
grep -q '^EXIT' "$tmp/out2" && { tail -5 "$tmp/out2"; fail "clearing the table"; }
[ "$(grep -c '^DIALOG Clear the high scores | Do you really want' "$tmp/out2")" -eq 2 ] ||
  fail "the clear question was not asked twice"
echo "start room, initials typed and clicked, a game to the diploma, the table cleared"
