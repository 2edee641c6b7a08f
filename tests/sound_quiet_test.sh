#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop game with sound on, in a real window under Xvfb, through ALSA: on a machine
# without a sound card (CI's) ALSA prints its own complaints while SDL looks for a device;
# the game goes on silently, and none of those lines may reach the terminal.
# usage: sound_quiet_test.sh GAME
set -eu
game="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/inst" "$work/run"
cp -R "$(dirname "$0")/fixtures/world" "$work/prog"
printf '[Software\\UVO! Software\\QuilRush]\nDirectory=%s\n' "$work/inst" > "$work/reg.ini"
cat > "$work/session.sh" <<EOS
#!/bin/sh
XDG_RUNTIME_DIR="$work/run" SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=alsa \
  "$game" --registry "$work/reg.ini" --data "$work/prog" > "$work/game.log" 2>&1 &
pid=\$!
for i in \$(seq 1 150); do
  xwininfo -root -tree | grep -q '"Home": ("quilrush32"' && break
  sleep 0.2
done
kill -TERM \$pid
wait \$pid
echo \$? > "$work/exit.txt"
EOS
chmod +x "$work/session.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/session.sh"
[ "$(cat "$work/exit.txt")" = 0 ] || { cat "$work/game.log"; echo "FAIL: the game ended with $(cat "$work/exit.txt")"; exit 1; }
if grep -q 'ALSA lib' "$work/game.log"; then
  cat "$work/game.log"; echo "FAIL: ALSA's messages reached the terminal"; exit 1
fi
echo "the game ran with sound on and said nothing: $(wc -c < "$work/game.log") bytes"
