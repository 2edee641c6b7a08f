#!/bin/sh
# SPDX-License-Identifier: CC-BY-SA-4.0
# Synthesises the game's wave files with SoX into the folder given as $1.
# Every sound is 22050 Hz, 16-bit mono PCM, short, soft-edged and in one key family
# (C major), so that they sound friendly together and never startle.
set -e
out=${1:?usage: make-sounds.sh OUTDIR}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fmt="-r 22050 -b 16 -c 1"
# SoX dithers with random noise unless told to repeat itself: -R makes every build of the
# sounds the same bytes, so that two builds of one source give identical packages.
sox() { command sox -R "$@"; }

# note NAME LEN SYNTH-ARGS... : one note with a soft attack and a decaying tail
note() {
  name=$1; len=$2; shift 2
  sox -n $fmt "$tmp/$name.wav" synth "$len" "$@" fade q 0.005 "$len" "$(awk "BEGIN{print $len*0.7}")"
}
# join OUT PARTS... : the parts one after another with room for a little echo, normalised
# to $level dB (the gentle "no" sounds sit lower than the happy ones)
level=-4
join() {
  o=$1; shift
  files=""
  for p in "$@"; do files="$files $tmp/$p.wav"; done
  sox $files $fmt "$out/$o.wav" pad 0 0.12 gain -6 reverb 15 50 40 gain -n $level
}

# The click is so short that its echo would still ring where the file ends: let it fade.
note c1 0.04 pluck 880
sox "$tmp/c1.wav" $fmt "$out/click.wav" pad 0 0.12 gain -6 reverb 15 50 40 fade q 0 0.16 0.09 gain -n -4

note r1 0.09 pluck E6 ; note r2 0.28 pluck B6 ; join right r1 r2

# The "no" sounds (wrong, takeaway, missed) sit about 6 dB below the happy ones in
# loudness, not just in peak: steady tones and noise carry more power for their peak
# than a plucked note does, so their peaks are set lower still.
level=-13
note w1 0.32 triangle 220:140 tremolo 18 40 ; join wrong w1
level=-4

# A level begins with a doorbell's ding-dong, low and unhurried, so that it is never
# taken for the quick high sparkle of a collected card.
note e1 0.22 pluck E5 ; note e2 0.55 pluck C5 pluck G4 remix - ; join enter e1 e2

# The animal whisks a letter away: a breathy swish, not a tune, so that it never sounds
# like a missed card.
level=-8
note t1 0.32 pinknoise sinc 1200-5000 fade q 0.14 0.32 0.16 ; join takeaway t1
level=-4

note b1 0.05 pluck G6 ; note b2 0.05 pluck B6 ; note b3 0.05 pluck D7 ; note b4 0.22 pluck G7
join bonus b1 b2 b3 b4

note k1 0.07 pluck C6 ; note k2 0.07 pluck E6 ; note k3 0.07 pluck G6 ; note k4 0.07 pluck C7
sox -n $fmt "$tmp/k5.wav" synth 0.45 pluck C6 pluck E6 pluck G6 remix - fade q 0.005 0.45 0.3
join collect k1 k2 k3 k4 k5

level=-15
note m1 0.16 triangle G5 ; note m2 0.34 triangle D5 ; join missed m1 m2
level=-7

note s1 0.12 sine 660 ; note s2 0.2 sine 880 tremolo 7 30 ; join say s1 s2

# The score roll loops while the display counts: one light tick per 3 game steps.
sox -n $fmt "$tmp/roll.wav" synth 0.025 square 1400 fade q 0.002 0.025 0.02 pad 0 0.14
sox "$tmp/roll.wav" $fmt "$out/roll.wav" gain -n -12
