#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The world fixture with a sound table whose sound 11 is a short wave file, made here:
# the game's sound reaches the simulated device and its end comes back in virtual time.
# usage: run_sound_e2e.sh QUILRUSH32 WORLD_FIXTURE DRIVE EXPECTED
set -eu
bin=$1 fixture=$2 drive=$3 expected=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp -r "$fixture" "$tmp/fixture"
mkdir -p "$tmp/fixture/wav"
rm -f "$tmp/fixture/dat/sounds.dat"
# The table numbers its lines from 0; line 11 names the wave.
{ for i in 0 1 2 3 4 5 6 7 8 9 10; do echo "none$i"; done; echo click; } > "$tmp/fixture/dat/sounds.txt"
python3 - "$tmp/fixture/wav/click.wav" <<'PY'
import math, struct, sys
rate, n = 11025, 2205  # 0.2 s of 8-bit mono
data = bytes(int(128 + 60 * math.sin(2 * math.pi * 880 * i / rate)) for i in range(n))
fmt = struct.pack('<IHHIIHH', 16, 1, 1, rate, rate, 1, 8)
riff = b'WAVE' + b'fmt ' + fmt + b'data' + struct.pack('<I', n) + data
open(sys.argv[1], 'wb').write(b'RIFF' + struct.pack('<I', len(riff)) + riff)
PY
exec sh "$(dirname "$0")/../run_world_e2e.sh" "$bin" "$tmp/fixture" "$drive" "$expected"
