#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The editor end to end, in a real window under Xvfb, driven by the keyboard as an
# author would: (1) make a quiz list through the wizard and save it, then check with
# qrwtool that the file holds what was typed; (2) open a bundled list named on the
# command line, save it under another name unchanged, and compare the two lists field by
# field; (3) a second copy hands its file to the running one and ends with exit code 3.
set -eu
editor="$1"
qrwtool="$2"
data="$3"
work=$(mktemp -d)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work/inst/lists" "$work/run"
cp "$data/lists/animals.qrw" "$work/inst/lists/"
printf '[Software\\UVO! Software\\QuilRush]\nDirectory=%s\n' "$work/inst" > "$work/reg.ini"
export XDG_RUNTIME_DIR="$work/run"
chmod 700 "$work/run"

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
  log "no window \$1"; return 1
}
keys() { sleep 0.3; xdotool key --delay 60 "\$@"; }
text() { sleep 0.3; xdotool type --delay 30 "\$1"; }
# Waits for the editor to end (at most 30 s) and prints its exit code.
finish() {
  for i in \$(seq 1 300); do
    if ! kill -0 "\$1" 2>/dev/null; then wait "\$1"; echo \$?; return; fi
    sleep 0.1
  done
  log "still running"; kill "\$1"; wait "\$1"; echo killed
}

# --- 1: a new list through the wizard ---------------------------------------------------
"$editor" --registry "$work/reg.ini" --data "$data" > "$work/editor1.log" 2>&1 &
pid=\$!
window 'QUARRY - Quill-Rush List Editor' > /dev/null || { kill \$pid; exit 1; }
keys ctrl+n                          # File > New: page 1, a quiz by default
text 'Farm Quiz'
keys alt+n; text 'Ann'               # page 2: the nickname
keys Tab; text 'Teacher at the farm school'
keys alt+n; text 'Who lives on the farm?'   # page 3: the description
keys alt+n; keys alt+n               # page 4 (language), page 5 (icons)
keys alt+n                           # page 7
keys ctrl+shift+s
window "Save the word list as" > /dev/null && { keys ctrl+a; text "$work/inst/lists/farm.qrw"; keys Return; }
window "^Saved" > /dev/null && keys Return
window 'QUARRY - Farm Quiz: farm.qrw' > /dev/null && log "caption after save"
keys alt+c                           # Close: nothing unsaved, no question
finish \$pid > "$work/exit1.txt"

# --- 2: a bundled list opened from the command line and saved unchanged ----------------
"$editor" --registry "$work/reg.ini" --data "$data" "$work/inst/lists/animals.qrw" > "$work/editor2.log" 2>&1 &
pid=\$!
window 'QUARRY - Animal Anagrams: animals.qrw' > /dev/null || { kill \$pid; exit 1; }
# --- 3: a second copy hands its file over and ends ---------------------------------------
"$editor" --registry "$work/reg.ini" --data "$data" "$work/inst/lists/farm.qrw" > "$work/editor3.log" 2>&1
echo \$? > "$work/exit3.txt"
window 'QUARRY - Farm Quiz: farm.qrw' > /dev/null && log "handed over"
keys ctrl+o
window "Open a word list" > /dev/null && { keys ctrl+a; text "$work/inst/lists/animals.qrw"; keys Return; }
window 'QUARRY - Animal Anagrams: animals.qrw' > /dev/null
keys ctrl+shift+s
window "Save the word list as" > /dev/null && { keys ctrl+a; text "$work/inst/lists/copy.qrw"; keys Return; }
window "^Saved" > /dev/null && keys Return
window 'QUARRY - Animal Anagrams: copy.qrw' > /dev/null && log "caption after save as"
keys alt+c
finish \$pid > "$work/exit2.txt"
EOS
chmod +x "$work/session.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/session.sh"

fail() {
  echo "FAIL: $*"
  for f in steps.log editor1.log editor2.log editor3.log; do
    [ -f "$work/$f" ] && { echo "--- $f"; cat "$work/$f"; }
  done
  exit 1
}
[ "$(cat "$work/exit1.txt" 2>/dev/null)" = 0 ] || fail "the first session did not end normally"
[ "$(cat "$work/exit2.txt" 2>/dev/null)" = 0 ] || fail "the second session did not end normally"
[ "$(cat "$work/exit3.txt" 2>/dev/null)" = 3 ] || fail "the second copy did not hand over (exit $(cat "$work/exit3.txt" 2>/dev/null))"
grep -q "caption after save" "$work/steps.log" || fail "the caption did not name the saved file"
grep -q "handed over" "$work/steps.log" || fail "the running copy did not open the handed-over file"
grep -q "caption after save as" "$work/steps.log" || fail "the caption did not follow Save As"

# What was typed is in the file.
"$qrwtool" dump "$work/inst/lists/farm.qrw" > "$work/farm.json" || fail "farm.qrw does not load"
for expected in '"listType": "quiz"' '"title": "Farm Quiz"' '"handle": "Ann"' \
                '"Teacher at the farm school"' '"Who lives on the farm?"'; do
  grep -qF "$expected" "$work/farm.json" || fail "farm.qrw lacks $expected: $(cat "$work/farm.json")"
done
# Exactly four description lines, the last three empty.
python3 - "$work/farm.json" <<'PY' || fail "the description is not four lines"
import json, sys
d = json.load(open(sys.argv[1]))["description"]
sys.exit(0 if d == ["Who lives on the farm?", "", "", ""] else 1)
PY

# The bundled list saved unchanged: the same content.
"$qrwtool" dump "$work/inst/lists/animals.qrw" > "$work/a.json"
"$qrwtool" dump "$work/inst/lists/copy.qrw" > "$work/b.json" || fail "copy.qrw does not load"
diff "$work/a.json" "$work/b.json" || fail "the list saved unchanged differs from the original"
grep -q '^Word-list path=' "$work/inst/quilrush.ini" || fail "the editor kept no settings"
echo "editor end to end: list made, saved, reopened, copied unchanged, handed over"
