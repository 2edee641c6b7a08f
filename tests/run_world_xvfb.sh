#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the game in a real window under Xvfb over a fixture installation: the window must
# show the tiled surround, the frame and its shadow, and a click on a go box must switch
# rooms (the caption follows the room's title).
# usage: run_world_xvfb.sh QUILRUSH32 FIXTURE_DIR   (run inside xvfb-run)
set -u
bin=$1 fixture=$2
tmp=$(mktemp -d)
trap 'kill $pid 2>/dev/null; rm -rf "$tmp"' EXIT
cp -r "$fixture" "$tmp/prog"
# No script errors here: a message box would sit in front of the window.
sed -i '/XYZROOM/d' "$tmp/prog/dat/init.txt"
mkdir "$tmp/inst"
printf '[Software\\UVO! Software\\QuilRush]\nDirectory=%s\n' "$tmp/inst" > "$tmp/reg.ini"
XDG_RUNTIME_DIR=$tmp "$bin" --registry "$tmp/reg.ini" --data "$tmp/prog" --seed 1 > "$tmp/log" 2>&1 &
pid=$!
W=
for i in $(seq 1 40); do
    W=$(xdotool search --name '^Home$' 2>/dev/null | head -1)
    [ -n "$W" ] && break
    sleep 0.25
done
[ -n "$W" ] || { echo "no window titled Home"; cat "$tmp/log"; exit 1; }
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$W")"
scale=$((WIDTH / 632))
[ "$scale" -ge 1 ] && [ $((WIDTH % 632)) -eq 0 ] || { echo "window $WIDTH x $HEIGHT is no whole scale"; exit 1; }
px() { convert "$tmp/home.png" -format "%[pixel:p{$(( $1 * scale )),$(( $2 * scale ))}]" info:; }
# Surround at the corner, the frame's inside, the shadow below its right part. On a busy
# machine the first frame may take a moment to reach the X server.
for i in $(seq 1 20); do
    import -window "$W" "$tmp/home.png"
    surround=$(px 2 2) inside=$(px 300 200) shadow=$(px 600 430)
    [ "$surround" != "$inside" ] && break
    sleep 0.25
done
[ "$surround" != "$inside" ] || { echo "frame not distinct from the surround ($surround)"; exit 1; }
[ "$shadow" = "srgb(0,0,0)" ] || { echo "no black shadow below the frame: $shadow"; exit 1; }
# The go box covers paint-box x 100..299, y 100..199; the paint box starts at client 9,19.
xdotool mousemove --window "$W" $(( (150 + 9) * scale )) $(( (150 + 19) * scale )) click 1
for i in $(seq 1 20); do
    [ "$(xdotool getwindowname "$W")" = "The game" ] && exit 0
    sleep 0.25
done
echo "the click did not switch rooms: caption $(xdotool getwindowname "$W")"
exit 1
