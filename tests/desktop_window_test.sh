#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the game in a real window under Xvfb over a small fixture installation (with
# --nosound, which must leave the audio device alone), checks the window is there with the
# start room's title as its caption, ends it the way a logging-out session does (SIGTERM: no
# question, exit 0) and checks that the settings were written back on the way out; does the
# same when the X server itself goes away under the running game. Then runs
# it without any display, and with a display that cannot be opened, and checks the one-line
# explanations.
set -eu
game="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/inst" "$work/run"
cp -R "$(dirname "$0")/fixtures/world" "$work/prog"
printf '[Software\\UVO! Software\\QuilRush]\nDirectory=%s\n' "$work/inst" > "$work/reg.ini"
export XDG_RUNTIME_DIR="$work/run"
# The software renderer keeps GL drivers (and their own leaks) out of the sanitised build.
export SDL_RENDER_DRIVER=software

cat > "$work/session.sh" <<EOS
#!/bin/sh
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" "$game" --nosound --registry "$work/reg.ini" --data "$work/prog" >"$work/game.log" 2>&1 &
pid=\$!
# The window is found by its class: its caption is "Quill-Rush" only until the world's
# first room names it, so looking for that caption raced against the start-up. Once the
# window is there, wait for the start room's title, which shows the world really runs.
for i in \$(seq 1 150); do
  if xwininfo -root -tree | grep -q '("quilrush32" "quilrush32")'; then break; fi
  sleep 0.2
done
for i in \$(seq 1 150); do
  if xwininfo -root -tree | grep -q '"Home": ("quilrush32"'; then break; fi
  sleep 0.2
done
xwininfo -root -tree | grep '("quilrush32" "quilrush32")' > "$work/window.txt" || true
kill -TERM \$pid
wait \$pid
echo \$? > "$work/exit.txt"
EOS
chmod +x "$work/session.sh"
xvfb-run -a -s "-screen 0 1600x1000x24" "$work/session.sh"

fail() { echo "FAIL: $*"; cat "$work/game.log" 2>/dev/null; exit 1; }
[ -s "$work/window.txt" ] || fail "no window of the game appeared"
grep -q '"Home": ("quilrush32"' "$work/window.txt" || fail "the caption is not the start room's title: $(cat "$work/window.txt")"
echo "window: $(cat "$work/window.txt")"
[ "$(cat "$work/exit.txt")" = 0 ] || fail "the game ended with $(cat "$work/exit.txt") instead of 0"
grep -q '^Working language=English$' "$work/inst/quilrush.ini" || fail "settings were not written back"
[ ! -e "$work/audio.raw" ] || fail "--nosound opened the audio device"

# The display going away while the game runs (the X server ends at logout, before any
# signal reaches the game): it saves the settings and ends with exit code 0.
rm -f "$work/inst/quilrush.ini" "$work/inst/dat/hiscores.dat"
# Without the fixture's broken room: its start-up message box is shown by a forked copy of
# the program, which can hang in the sanitiser's allocator when forked at the wrong moment,
# and this step is about the display, not about messages.
sed -i '/^XYZROOM BROKEN$/d' "$work/prog/dat/init.txt"
rm -f "$work/prog/dat/init.dat"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display.txt" 2>/dev/null &
xpid=$!
for i in $(seq 1 100); do [ -s "$work/display.txt" ] && break; sleep 0.1; done
[ -s "$work/display.txt" ] || fail "Xvfb did not start"
display=":$(cat "$work/display.txt")"
DISPLAY="$display" SDL_AUDIODRIVER=dummy "$game" --nosound --registry "$work/reg.ini" --data "$work/prog" >"$work/lost.log" 2>&1 &
gpid=$!
for i in $(seq 1 150); do
  if DISPLAY="$display" xwininfo -root -tree | grep -q '"Home": ("quilrush32"'; then break; fi
  sleep 0.2
done
kill -TERM $xpid
wait $xpid || true
set +e
wait $gpid
code=$?
set -e
[ "$code" = 0 ] || { cat "$work/lost.log"; fail "when the display went away the game ended with $code instead of 0"; }
grep -q '^Working language=English$' "$work/inst/quilrush.ini" 2>/dev/null || { cat "$work/lost.log"; fail "when the display went away the settings were not saved"; }
[ -s "$work/inst/dat/hiscores.dat" ] || fail "when the display went away the high scores were not saved"
echo "display gone: exit 0, settings and high scores saved"

# No display at all: one clear line, exit code 1, no crash.
set +e
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$game" --registry "$work/reg.ini" --data "$work/prog" 2>&1)
code=$?
set -e
[ "$code" = 1 ] || fail "without a display the exit code was $code"
[ "$(printf '%s\n' "$out" | wc -l)" = 1 ] || fail "without a display it said more than one line: $out"
printf '%s\n' "$out" | grep -q 'no display found.*--headless' || fail "unexpected message: $out"
echo "no display: $out"

# A display that is named but cannot be opened is named with the reason, not called missing.
set +e
out=$(env -u WAYLAND_DISPLAY DISPLAY=:97 "$game" --registry "$work/reg.ini" --data "$work/prog" 2>&1)
code=$?
set -e
[ "$code" = 1 ] || fail "with a display that cannot open the exit code was $code"
printf '%s\n' "$out" | grep -q 'cannot open the display (DISPLAY=:97)' || fail "unexpected message: $out"
printf '%s\n' "$out" | grep -q 'no display found' && fail "a set DISPLAY was called missing: $out"
echo "display that cannot open: $out"
