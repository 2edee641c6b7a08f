#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Under a bare X server (Xvfb, no window manager) SDL cannot show its message boxes. The
# home room's quit question must then be asked in the game's window, never answered by
# itself: the game keeps running until a key answers (Escape: No, Enter: Yes, which ends
# it with exit code 0), and a SIGTERM while the question is open ends it at once, cleanly.
#   desktop_question_test.sh QUILRUSH32 DATA_TREE
set -eu
game="$1"; tree="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/inst" "$work/run"
chmod 700 "$work/run"
printf '[Software\\UVO! Software\\QuilRush]\nDirectory=%s\n' "$work/inst" > "$work/reg.ini"
export XDG_RUNTIME_DIR="$work/run"
export SDL_RENDER_DRIVER=software

cat > "$work/session.sh" <<EOS
#!/bin/sh
# usage: session.sh keys|signal
result="$work/\$1.txt"
"$game" --nosound --registry "$work/reg.ini" --data "$tree" >"$work/\$1.log" 2>&1 &
pid=\$!
alive() { kill -0 \$pid 2>/dev/null; }
# Waits for the game to end (killing it after 20 s) and writes "\$1 EXITCODE".
ended() {
  ( sleep 20; kill -KILL \$pid 2>/dev/null ) &
  watchdog=\$!
  wait \$pid
  echo "\$1 \$?" > "\$result"
  kill \$watchdog 2>/dev/null
}
for i in \$(seq 1 150); do
  wid=\$(xdotool search --class quilrush32 2>/dev/null | head -1)
  [ -n "\$wid" ] && break
  sleep 0.2
done
[ -n "\$wid" ] || { echo "no window" > "\$result"; kill \$pid; exit; }
sleep 1
# The window's picture is the client area scaled by a whole number. The home room's quit
# button sits at (369, 394) of the client area; a click there in the title room leads on
# to the home room first. The question's title bar is navy where the home room is not.
size=\$(xdotool getwindowgeometry "\$wid" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
scale=\$((size / 632))
asking() {
  import -window "\$wid" -crop 1x1+\$((200 * scale))+\$((170 * scale)) txt:- | grep -q 'srgb(0,51,102)'
}
quit() {
  for i in \$(seq 1 15); do
    xdotool windowfocus "\$wid" mousemove --window "\$wid" \$((369 * scale)) \$((394 * scale)) click 1
    sleep 1
    asking && return
    alive || return
  done
}
quit
alive || { echo "the question answered itself: the game ended" > "\$result"; exit; }
asking || { echo "no question in the window" > "\$result"; kill \$pid; exit; }
if [ "\$1" = signal ]; then
  kill -TERM \$pid
  ended signal
  exit
fi
xdotool key Escape
sleep 1
alive || { echo "Escape ended the game" > "\$result"; exit; }
asking && { echo "Escape did not answer" > "\$result"; kill \$pid; exit; }
quit
xdotool key Return
ended keys
EOS
chmod +x "$work/session.sh"
fail() { echo "FAIL: $*"; cat "$work"/*.log 2>/dev/null; exit 1; }
for how in keys signal; do
  rm -f "$work/inst/quilrush.ini"
  xvfb-run -a -s "-screen 0 1600x1000x24" "$work/session.sh" $how
  [ "$(cat "$work/$how.txt")" = "$how 0" ] || fail "$how: $(cat "$work/$how.txt")"
  grep -q '^Working language=English$' "$work/inst/quilrush.ini" || fail "$how: settings were not written"
  echo "$how: the question waited for its answer; the game ended with exit code 0"
done
