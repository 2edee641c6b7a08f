#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop game over the built data tree under Xvfb: its window carries the game's icon
# (the picture "appicon" of game.px8, 64x64) for the window manager and task bars.
# usage: window_icon_test.sh QUILRUSH32 DATA_TREE
set -eu
game=$1 tree=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$tree" "$work/prog"
mkdir -p "$work/inst" "$work/run"
printf '[Software\\UVO! Software\\QuilRush]\nDirectory=%s\n' "$work/inst" > "$work/reg.ini"
export XDG_RUNTIME_DIR="$work/run" SDL_RENDER_DRIVER=software

cat > "$work/session.sh" <<EOS
#!/bin/sh
"$game" --nosound --registry "$work/reg.ini" --data "$work/prog" >"$work/game.log" 2>&1 &
pid=\$!
# Found by its class: the caption follows the current room's title.
for i in \$(seq 1 100); do
  id=\$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) .*("quilrush32" "quilrush32").*/\1/p' | head -n 1)
  if [ -n "\$id" ] && xprop -id "\$id" _NET_WM_ICON | grep -q 'Icon (64 x 64)'; then
    xprop -id "\$id" _NET_WM_ICON | head -n 1 > "$work/icon.txt"
    break
  fi
  sleep 0.2
done
# The data's title room has no answer to the close button yet; this test is not about it.
kill -KILL \$pid
wait \$pid || true
EOS
chmod +x "$work/session.sh"
xvfb-run -a -s "-screen 0 1600x1000x24" "$work/session.sh"
[ -s "$work/icon.txt" ] || { cat "$work/game.log"; echo "FAIL: the window has no 64x64 icon"; exit 1; }
echo "icon: $(cat "$work/icon.txt")"
