#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The menus played headless on the built data tree, from the title: the credits, the
# interface switched to German and back, every bundled module picked from the menu, its
# author pages visited and a level played by the stand-in player from the start room's play
# button, and the clue and answer languages of a vocabulary module chosen.
#   menus_test.sh QUILRUSH32 DATA_TREE
set -eu
game=$1; tree=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/home"
cp -R "$tree" "$tmp/home/QuilRush"
rm -f "$tmp/home/QuilRush/quilrush.ini" "$tmp/home/QuilRush/dat/hiscores.dat" \
  "$tmp/home/QuilRush/dat/modules.dat"
printf '[Software\\UVO! Software]\nDevHome=%s\n' "$tmp/home" > "$tmp/registry.ini"

# Never started, the modules stand in alphabetical order. Starting the module of row i
# moves it to the top, so row i (i = 0..3) picks each bundled module once, in this order.
modules="animals french german quiz"
{
  cat <<'END'
tick 5
click 300 200
until room HOME 400
expect state modules ["animals.qrw","french.qrw","german.qrw","quiz.qrw"]
expect state highlighted -1
click box CREDITS
expect room CREDITS
expect state page 0
click box NEXTPAGE
click box NEXTPAGE
click box NEXTPAGE
expect state page 3
click box PREVPAGE
expect state page 2
click box HOMEBTN
expect room HOME
click box WORKLANG
expect room PICKLANG
expect state languageMode 0
expect state entries ["Deutsch","English","Français"]
expect state currentEntry 1
click box 0
expect state workingLanguage Deutsch
expect state currentEntry 0
click box RETURN
expect room HOME
END
  row=0
  for m in $modules; do
    y=$((100 + 35 * row + 17))
    cat <<END
mouse move 100 $y
expect state highlighted $row
click 100 $y
expect room MODSTART
click box INFO
expect room AUTHOR
state
click box RETURN
expect room MODSTART
click box PLAYGAME
expect room PLAY
autoplay 100
until level 1 20000
autoplay off
state
go HOME
expect room HOME
expect state modules.0 $m.qrw
END
    row=$((row + 1))
  done
  cat <<'END'
click box WORKLANG
click box 1
expect state workingLanguage English
click box RETURN
expect room HOME
# The menu now reads quiz, german, french, animals: row 2 is the French module.
mouse move 100 187
click 100 187
expect room MODSTART
expect state clueLanguage.name English
expect state answerLanguage.name French
click box CLUELANG
expect room PICKLANG
expect state languageMode 1
expect state entries ["English","French"]
expect state currentEntry 0
click box 1
click box OK
expect room MODSTART
expect state clueLanguage.name French
expect state useIcons false
click box ANSLANG
expect state languageMode 2
expect state currentEntry 1
click box 0
expect state currentEntry 0
click box CANCEL
expect room MODSTART
expect state answerLanguage.name French
click box ANSLANG
click box 0
click box OK
expect room MODSTART
expect state clueLanguage.name French
expect state answerLanguage.name English
click box PLAYGAME
expect room PLAY
state
END
} > "$tmp/script"

XDG_RUNTIME_DIR=$tmp "$game" --headless "$tmp/script" --registry "$tmp/registry.ini" --seed 3 \
  > "$tmp/out" 2>&1 || { tail -20 "$tmp/out"; fail "the drive script stopped"; }

# Every module played its first level to the tally, and the author room counted pages.
levels=$(grep -c '^LEVEL 1 ' "$tmp/out" || true)
[ "$levels" -eq 4 ] || { grep '^LEVEL\|^TALLY' "$tmp/out"; fail "$levels of 4 modules finished a level"; }
grep '"room":"AUTHOR"' "$tmp/out" | grep -q '"pageCount":[1-9]' ||
  fail "no bundled module has author pages"
grep -q '^WRONG' "$tmp/out" && fail "the perfect player clicked a wrong cell"
[ -s "$tmp/home/QuilRush/dat/modules.dat" ] || fail "the menu's order was not saved"
head -1 "$tmp/home/QuilRush/dat/modules.dat" | grep -q 'french.qrw$' || fail "french was started last"
grep -q '^Working language=English' "$tmp/home/QuilRush/quilrush.ini" ||
  fail "the interface language was not switched back"
# The last level was asked with French clues: its answers are the list's English words.
words=$(dirname "$0")/../data/lists/french.qrs
grep '"room":"PLAY"' "$tmp/out" | tail -1 | python3 -c '
import json, sys
words = {line.split(" | ")[0] for line in open(sys.argv[1], encoding="utf-8") if " | " in line}
answers = json.load(sys.stdin)["answers"]
wrong = [a for a in answers if a not in words]
sys.exit(f"answers not in English: {wrong}" if wrong or not answers else 0)' "$words" ||
  fail "the chosen languages did not reach the level"
echo "menus: credits, German and back, $levels modules picked and played, clue and answer languages chosen"
