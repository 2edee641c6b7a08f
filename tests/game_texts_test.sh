#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# What a German or French family meets first, headless on the built data tree:
# 1. the bundled German and French modules show their own translated title (caption, start
#    and author rooms) and level names in that interface language, and the English ones
#    again once the language room has switched back to English;
# 2. a module whose levels have nothing to find plays them to the diploma by itself, each
#    within a few seconds (tests/fixtures/nothing_to_find.qrs);
# 3. damaged modules are listed by their file names, and a click names the file and the
#    fault in the working language.
#   game_texts_test.sh QUILRUSH32 DATA_TREE QRWTOOL
set -eu
game=$1; tree=$2; qrwtool=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

home=$tmp/home/QuilRush
fresh() {
  rm -rf "$tmp/home"
  mkdir -p "$tmp/home"
  cp -R "$tree" "$home"
  rm -f "$home/quilrush.ini" "$home/dat/hiscores.dat" "$home/dat/modules.dat"
}
printf '[Software\\UVO! Software]\nDevHome=%s\n' "$tmp/home" > "$tmp/registry.ini"
run() { # LANGUAGE SCRIPT OUT
  XDG_RUNTIME_DIR=$tmp "$game" --headless "$2" --registry "$tmp/registry.ini" --seed 5 \
    --nosound --language "$1" > "$3" 2>&1 || { tail -20 "$3"; fail "$1: the drive script stopped"; }
}

# 1. Never started, the menu lists animals, french, german, quiz: row 1 is the French module,
# row 2 the German one.
texts() { # LANGUAGE ROW FILE TITLE LEVEL0 ENGLISH-TITLE
  y=$((100 + 35 * $2 + 17))
  cat > "$tmp/script" <<END
tick 5
go HOME
mouse move 100 $y
click 100 $y
expect room MODSTART
expect state caption Quill-Rush - $4: $3
click box INFO
expect room AUTHOR
expect state caption Quill-Rush - $4: $3
click box RETURN
click box PLAYGAME
expect room PLAY
expect state caption Quill-Rush - $4: $3
go HOME
click box WORKLANG
expect state entries ["Deutsch","English","Français"]
click box 1
expect state workingLanguage English
click box RETURN
# The module started last is now the first of the menu.
mouse move 100 117
click 100 117
expect room MODSTART
expect state caption Quill-Rush - $6: $3
click box PLAYGAME
expect state caption Quill-Rush - $6: $3
END
  fresh; run "$1" "$tmp/script" "$tmp/out"
  levels=$(grep '^LEVEL 0 ' "$tmp/out" | tr '\n' '|')
  [ "$levels" = "LEVEL 0 $5|LEVEL 0 First words|" ] || fail "$1: levels were named $levels"
}
texts deu 2 german.qrw "Englisch: erste Wörter" "Erste Wörter" "First German Words"
texts fra 1 french.qrw "Premiers mots d'anglais" "Premiers mots" "First French Words"

# 2. Nothing to find: each level ends by itself, tallied, without a click.
list=$tmp/nothing_to_find.qrw
"$qrwtool" build "$(dirname "$0")/fixtures/nothing_to_find.qrs" "$list" \
  --strings "$tree/str/qr_eng.str" || fail "the module with nothing to find did not build"
# A few seconds: 3.3 s of game time (60 ticks) for the wipe and the tally.
cat > "$tmp/script" <<END
tick 5
module $list
newgame
until level 1 60
until room DIPLOMA 60
state
END
fresh; run enu "$tmp/script" "$tmp/out"
tallies=$(grep -c '^TALLY [1-5] ' "$tmp/out" || true)
[ "$tallies" -eq 10 ] || fail "$tallies of 10 rows were tallied"
grep -q '^LIVES [0-4]$' "$tmp/out" && fail "a level with nothing to find cost a life"
grep -q '^ROOM PLAY -> DIPLOMA' "$tmp/out" || fail "the game did not end in the diploma"

# 3. Damaged modules, in German.
fresh
python3 - "$home/lists" <<'PY'
import sys
folder = sys.argv[1]
good = open(f"{folder}/quiz.qrw", "rb").read()
damaged = bytearray(good)
damaged[len(good) // 2] ^= 0x20
open(f"{folder}/kaputt.qrw", "wb").write(bytes(damaged))
open(f"{folder}/leer.qrw", "wb").write(b"")
open(f"{folder}/halb.qrw", "wb").write(good[: len(good) // 2])
open(f"{folder}/zufall.qrw", "wb").write(bytes(range(256)) * 3)
PY
cat > "$tmp/script" <<'END'
tick 5
go HOME
expect state modules ["animals.qrw","french.qrw","german.qrw","halb.qrw","kaputt.qrw","leer.qrw","quiz.qrw","zufall.qrw"]
expect state moduleTitles ["Animal Anagrams","First French Words","Englisch: erste Wörter","halb.qrw","kaputt.qrw","leer.qrw","Quiz Time!","zufall.qrw"]
mouse move 100 222
click 100 222
expect room HOME
mouse move 100 223
mouse move 300 320
expect state highlighted -1
click box NEXTPAGE
mouse move 100 117
click 100 117
mouse move 100 152
click 100 152
mouse move 100 222
click 100 222
expect room HOME
expect state modules.0 animals.qrw
END
run deu "$tmp/script" "$tmp/out"
for expected in \
  'halb.qrw" kann nicht gespielt werden.\nDie Datei ist beschädigt.' \
  'kaputt.qrw" kann nicht gespielt werden.\nDie Datei ist beschädigt.' \
  'leer.qrw" kann nicht gespielt werden.\nDie Datei ist leer oder bricht zu früh ab.' \
  'zufall.qrw" kann nicht gespielt werden.\nDie Datei ist keine Wortliste.'; do
  grep -F "DIALOG Quill-Rush | Die Wortliste \"$expected | OK" "$tmp/out" > /dev/null ||
    { grep '^DIALOG' "$tmp/out"; fail "no message: $expected"; }
done
echo "game texts: two modules in their languages and back, nothing to find played through, damaged modules named"
