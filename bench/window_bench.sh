#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The game in a real window under Xvfb, over a copy of the built data tree, with sound and
# music on (SDL's "dummy" audio driver takes the samples at the real rate, so the
# synthesiser works as it would with a sound card):
#   - start-up: from starting the program to the first frame of the title in the window
#     (the program reports that moment when QUILRUSH_TRACE_FIRST_FRAME is set), RUNS times;
#   - idle CPU: the process's CPU time over SECONDS seconds on the title screen, then on the
#     home screen after a click, as a share of one core, with the CPU ticks of each thread
#     (SECONDS 0 leaves this out).
# usage: xvfb-run -a -s "-screen 0 1280x1024x24" bench/window_bench.sh QUILRUSH32 DATA_TREE [RUNS] [SECONDS]
set -eu
game=$1 tree=$2 runs=${3:-5} seconds=${4:-10}
tmp=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$tmp"' EXIT
cp -R "$tree" "$tmp/prog"
rm -f "$tmp/prog/dat/init.dat"
mkdir "$tmp/inst"
printf '[Software\\UVO! Software\\QuilRush]\nDirectory=%s\n' "$tmp/inst" > "$tmp/reg.ini"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} XDG_RUNTIME_DIR=$tmp
hz=$(getconf CLK_TCK)

start() {
    : > "$tmp/out" # emptied here, or the first look could still see the last run's line
    QUILRUSH_TRACE_FIRST_FRAME=1 "$game" --registry "$tmp/reg.ini" --data "$tmp/prog" > "$tmp/out" 2>&1 &
    pid=$!
}
stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}
# CPU ticks (user + system) of the process, or of one thread's stat file.
ticks() { sed 's/^.*) //' "$1" | awk '{ print $12 + $13 }'; }

echo "start-up to the first title frame (wall clock; processor time of the process and of its main thread):"
i=0
while [ "$i" -lt "$runs" ]; do
    t0=$(date +%s%N)
    start
    n=0
    t1=
    until [ -n "$t1" ]; do
        t1=$(sed -n 's/.*first frame at \([0-9]*\) ns.*thread [0-9]* ms)$/\1/p' "$tmp/out" 2>/dev/null)
        [ -z "$t1" ] || break
        n=$((n + 1))
        [ "$n" -lt 200 ] || { echo "no first frame after 10 s:"; cat "$tmp/out"; exit 1; }
        sleep 0.05
    done
    cpu=$(sed -n 's/.*\(processor time .*\)$/\1/p' "$tmp/out")
    echo "  $(( (t1 - t0) / 1000000 )) ms, $cpu"
    stop
    i=$((i + 1))
done

measure() {
    before=$(ticks /proc/$pid/stat)
    for t in /proc/$pid/task/*; do echo "$(basename "$t") $(ticks "$t/stat")"; done > "$tmp/threads0"
    sleep "$seconds"
    after=$(ticks /proc/$pid/stat)
    used=$((after - before))
    echo "$1: $used ticks of $((seconds * hz)) in ${seconds} s = $(awk "BEGIN { printf \"%.2f\", 100 * $used / ($seconds * $hz) }")% of one core"
    for t in /proc/$pid/task/*; do
        id=$(basename "$t")
        was=$(awk -v id="$id" '$1 == id { print $2 }' "$tmp/threads0")
        echo "    $(cat "$t/comm") $(( $(ticks "$t/stat") - ${was:-0} ))"
    done
}

[ "$seconds" -gt 0 ] || exit 0
start
W=
n=0
until [ -n "$W" ]; do
    W=$(xdotool search --class quilrush32 2>/dev/null | head -1 || true)
    n=$((n + 1))
    [ "$n" -lt 100 ] || { echo "no window"; cat "$tmp/out"; exit 1; }
    sleep 0.1
done
# Let the soundfont load and the title music start.
sleep 3
measure "title screen"
eval "$(xdotool getwindowgeometry --shell "$W")"
xdotool mousemove --window "$W" $((WIDTH / 2)) $((HEIGHT / 2)) click 1
sleep 2
measure "home screen"
stop
