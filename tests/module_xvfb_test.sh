#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole vocabulary module made in the editor's real window under Xvfb with the keyboard
# alone, then played by the game:
#   module_xvfb_test.sh QUARRY32 QUILRUSH32 QRWTOOL PX8TOOL DATA_TREE PALETTE PNG_PIXELS_DIR
# The author makes an English-French list with icon clues from an image library of six
# coloured icons, with a further language of their own (Tab walks its translations in
# the grid), names two groups, keeps two levels, adds a German version of the texts,
# renames the further language and saves; then deletes it again and, the file having
# been changed on disk meanwhile, is asked before saving over it. qrwtool checks every
# field of both saves; the game loads the file, shows the icons in the play room and
# plays both levels to the diploma with the stand-in player.
set -eu
editor=$1; game=$2; qrwtool=$3; px8tool=$4; tree=$5; palette=$6; pngdir=$7
work=$(mktemp -d)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
home=$work/home/QuilRush
mkdir -p "$work/home" "$work/run"
cp -R "$tree" "$home"
rm -f "$home/quilrush.ini" "$home/dat/hiscores.dat"
printf '[Software\\UVO! Software]\nDevHome=%s\n' "$work/home" > "$work/registry.ini"
export XDG_RUNTIME_DIR="$work/run"
chmod 700 "$work/run"
fail() {
  echo "FAIL: $*"
  for f in steps.log editor.log game.log; do
    [ -f "$work/$f" ] && { echo "--- $f"; tail -40 "$work/$f"; }
  done
  exit 1
}

# The icons: six 54 x 54 cells of one picture, each a colour of the game's palette.
convert -size 162x108 xc:'rgb(128,0,0)' \
  -fill 'rgb(0,128,128)' -draw 'rectangle 54,0 107,53' \
  -fill 'rgb(255,0,0)' -draw 'rectangle 108,0 161,53' \
  -fill 'rgb(0,255,0)' -draw 'rectangle 0,54 53,107' \
  -fill 'rgb(0,0,255)' -draw 'rectangle 54,54 107,107' \
  -fill 'rgb(255,255,0)' -draw 'rectangle 108,54 161,107' PNG24:"$work/icons.png"
printf 'palette %s\nimage icons00 %s\n' "$palette" "$work/icons.png" > "$work/icons.txt"
"$px8tool" pack "$home/imglib/farm.px8" "$work/icons.txt" > /dev/null
module=$home/lists/farm.qrw

cat > "$work/session.sh" <<EOS
#!/bin/sh
set -u
log() { echo "\$*" >> "$work/steps.log"; }
# Waits for a window whose title matches, gives it the keyboard and prints its id.
window() {
  for i in \$(seq 1 100); do
    id=\$(xdotool search --onlyvisible --name "\$1" 2>/dev/null | tail -1)
    if [ -n "\$id" ]; then xdotool windowfocus --sync "\$id" 2>/dev/null; echo "\$id"; return 0; fi
    sleep 0.1
  done
  log "no window \$1"; import -window root "$work/no-window.png" 2>/dev/null; return 1
}
keys() { sleep 0.3; xdotool key --delay 60 "\$@"; }
text() { sleep 0.3; xdotool type --delay 30 "\$1"; }
# A list box finds an entry by its first letters; what follows must wait until the
# box no longer takes keys as part of the search.
seek() { text "\$1"; sleep 1; }
main() { window '^QUARRY - ' > /dev/null; }
# One word on page 6: typed over the next placeholder, its group (01 or 02), its French
# word in the grid and, a Tab on, its Scots one; Enter stores it and shows the next one.
word() {
  text "\$1"; keys Tab
  [ "\$3" = 02 ] && keys Down
  keys Tab; text "\$2"; keys Tab; text "\$4"; keys Return
}

"$editor" --registry "$work/registry.ini" > "$work/editor.log" 2>&1 &
pid=\$!
main || { kill \$pid; exit 1; }
keys ctrl+n                       # File > New, page 1
keys shift+Tab; keys Up Up; keys space   # the type: a vocabulary list
keys Tab; text 'Farm >animals'
keys alt+n; text 'Ann'            # page 2
keys alt+n; text 'Animals of the farm'    # page 3
keys alt+n; seek English          # page 4: the words' language
keys alt+n                        # the translations' language: in a box that takes several,
keys Home Down Down Down Down Down Down Down space   # arrows move and Space chooses (French)
keys Tab Tab space                # Add... (past the empty box of further languages)
window '^Add a language' > /dev/null && { text 'scots'; keys Return; }
main
keys shift+Tab Home space         # chosen too
keys alt+n; keys space            # page 5: icon clues, from the library
keys Tab; text "$home/imglib/farm.px8"
keys alt+n                        # page 6: six placeholders, one per icon
word cow vache 01 coo
word 'h>orse' cheval 01 cuddy
word pig cochon 01 grumphie
word hen poule 02 chuckie
word duck canard 02 deuk
word goose oie 02 guse

# Options > Group Name Editor: the first two groups named.
keys alt+o g
window '^Group Names' > /dev/null && log "group names"
text 'Big animals'; keys Tab Down shift+Tab; text 'Birds'; keys Return
main

# Game > Edit Levels: two levels, the first plays group 01, the second both.
keys alt+g e
window '^Edit Game Levels' > /dev/null && log "levels"
keys shift+Tab                    # from the name back to Delete, the first level chosen
for i in 1 2 3 4 5 6 7 8; do keys space; done
keys End shift+Home; text 'Big ones'   # two levels left: Delete is off, the name has the keys
keys Tab Tab space                # past the name's lock to the groups: 01
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Down   # the level box: level 2
keys Tab Tab Tab End shift+Home; text 'All of them'
keys Tab Tab space Down space     # groups 01 and 02
keys Return
main

# Game > Translate: German texts.
keys alt+g t
window '^Translate Game Text' > /dev/null && log "translate"
seek German; keys Tab space       # into the languages used
keys Tab Tab Tab Tab; text 'Bauernhoftiere'   # past the boxes and the tabs to the title
keys shift+Tab Right Tab; text 'Tiere vom Bauernhof'
keys shift+Tab Right Tab; text 'Die Grossen'; keys Down; text 'Alle'
keys Return Return                # the first ends editing the name, the second is Close
main

# Back to the further languages: Scots renamed, its words go with it.
keys alt+p alt+p                  # page 5, then the translations' languages
keys Tab Tab Tab space            # past the further languages and Add to Modify...
window '^Rename a language' > /dev/null && { keys ctrl+a; text 'lowland scots'; keys Return; }
main

keys ctrl+shift+s
window "^Save the word list as" > /dev/null && { keys ctrl+a; text "$module"; keys Return; }
window "^Saved" > /dev/null && keys Return
window 'QUARRY - Farm .*: farm.qrw' > /dev/null && log "saved"
cp "$module" "$work/renamed.qrw"

# Lowland Scots deleted again (asked first); meanwhile someone else saves over the file.
keys alt+n alt+p                  # the languages page afresh, the first box in focus
keys Tab Tab Tab Tab space        # past the further languages, Add and Modify to Delete
window '^Remove a language' > /dev/null && { log "delete asked"; keys Return; }
main
cp "$home/lists/animals.qrw" "$module"; cp "$module" "$work/theirs.qrw"
keys ctrl+s
window '^Confirm\$' > /dev/null && { log "changed on disk asked"; keys alt+k; }
window "^Saved" > /dev/null && keys Return
main
keys alt+c
for i in \$(seq 1 300); do kill -0 \$pid 2>/dev/null || break; sleep 0.1; done
if kill -0 \$pid 2>/dev/null; then log "still running"; kill \$pid; fi
wait \$pid; echo \$? > "$work/exit.txt"
EOS
chmod +x "$work/session.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/session.sh"

[ "$(cat "$work/exit.txt" 2>/dev/null)" = 0 ] || fail "the editor did not end normally"
for step in "group names" levels translate saved "delete asked" "changed on disk asked"; do
  grep -qx "$step" "$work/steps.log" || fail "no step: $step"
done

# The first save: the further language renamed with its translations.
"$qrwtool" dump "$work/renamed.qrw" > "$work/renamed.json" || fail "the first save does not load"
python3 - "$work/renamed.json" <<'PY' || fail "the renamed language differs: $(cat "$work/renamed.json")"
import json, sys
d = json.load(open(sys.argv[1]))
langs = {l["name"]: l["translations"] for l in d["secondaryLanguages"]}
want = {"French": ["vache", "cheval", "cochon", "poule", "canard", "oie"],
        "Lowland Scots": ["coo", "cuddy", "grumphie", "chuckie", "deuk", "guse"]}
sys.exit(0 if langs == want else f"{langs!r}")
PY
# Theirs was asked about and kept as the backup of mine.
cmp -s "$work/theirs.qrw" "$home/lists/farm.bak" || fail "the file changed on disk is not the backup"

# Every field as typed.
"$qrwtool" dump "$module" > "$work/farm.json" || fail "farm.qrw does not load"
python3 - "$work/farm.json" "$home/imglib/farm.px8" <<'PY' || fail "the saved module differs: $(cat "$work/farm.json")"
import json, sys
d = json.load(open(sys.argv[1]))
def check(what, got, want):
    if got != want:
        sys.exit(f"{what}: {got!r}, expected {want!r}")
check("type", d["listType"], "vocabulary")
check("title", d["title"], "Farm \u0105nimals")  # ">a" is the letter 0x81
check("handle", d["handle"], "Ann")
check("description", d["description"], ["Animals of the farm", "", "", ""])
check("languages", (d["primaryLanguage"], [l["name"] for l in d["secondaryLanguages"]]),
      ("English", ["French"]))
check("icons", (d["usesIconClues"], d["iconLibrary"]), (True, sys.argv[2]))
check("words", [(w["text"], w["group"]) for w in d["words"]],
      [("cow", 0), ("h\u0151rse", 0), ("pig", 0), ("hen", 1), ("duck", 1), ("goose", 1)])
check("translations", d["secondaryLanguages"][0]["translations"],
      ["vache", "cheval", "cochon", "poule", "canard", "oie"])
check("group names", sorted((g["group"], g["name"]) for g in d["groupNames"]),
      [(0, "Big animals"), (1, "Birds")])
check("levels", [(l["name"], l["groups"]) for l in d["levels"]],
      [("Big ones", [0]), ("All of them", [0, 1])])
extra = d["extraTextLanguages"]
check("text languages", [e["name"] for e in extra], ["German"])
check("German title", extra[0]["title"], "Bauernhoftiere")
check("German description", extra[0]["description"][:1], ["Tiere vom Bauernhof"])
check("German level names", extra[0]["levelNames"], ["Die Grossen", "Alle"])
PY

# The game plays it: the icons show in the play room, both levels to the diploma.
cat > "$work/play" <<END
tick 5
module $module
newgame
until room PLAY 20000
tick 300
screenshot $work/play.png
autoplay 100
until room DIPLOMA 300000
state
END
XDG_RUNTIME_DIR=$work/run "$game" --headless "$work/play" --registry "$work/registry.ini" \
  --seed 3 > "$work/game.log" 2>&1 || fail "the game did not play the module to the diploma"
[ "$(grep -c '^LEVEL ' "$work/game.log")" -ge 2 ] || fail "fewer than two levels were played"
grep -q '^WRONG' "$work/game.log" && fail "the stand-in player clicked a wrong cell"
grep -q '"room":"DIPLOMA"' "$work/game.log" || fail "no diploma"
python3 - "$pngdir" "$work/play.png" <<'PY' || fail "the play room did not show the icons"
import sys
sys.path.insert(0, sys.argv[1])
from png_pixels import read_png
width, height, rows = read_png(sys.argv[2])
colours = {(128, 0, 0), (0, 128, 128), (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0)}
def at(x, y):
    return tuple(rows[y][3 * x:3 * x + 3])
# An icon is a whole 54 x 54 square of one of the colours.
found = set()
for y in range(height - 53):
    for x in range(width - 53):
        c = at(x, y)
        if c in colours and c not in found and (x == 0 or at(x - 1, y) != c) and \
           (y == 0 or at(x, y - 1) != c) and \
           all(at(x + dx, y + dy) == c for dx in range(0, 54, 9) for dy in range(0, 54, 9)):
            found.add(c)
sys.exit(0 if len(found) >= 5 else f"icons found: {sorted(found)}")
PY
echo "module made by keyboard, saved, every field checked, icons shown, played to the diploma"
