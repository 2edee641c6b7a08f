#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Exits 0 when two 8-bit RGB PNGs show the same pixels, else prints the first difference
# and how many pixels differ, and exits 1.
# usage: png_same.py EXPECTED.png ACTUAL.png
import sys

from png_pixels import read_png

(w1, h1, a), (w2, h2, b) = read_png(sys.argv[1]), read_png(sys.argv[2])
if (w1, h1) != (w2, h2):
    print("size %dx%d, expected %dx%d" % (w2, h2, w1, h1))
    sys.exit(1)
first, count = None, 0
for y in range(h1):
    if a[y] == b[y]:
        continue
    for x in range(w1):
        pa, pb = a[y][3 * x:3 * x + 3], b[y][3 * x:3 * x + 3]
        if pa != pb:
            count += 1
            if first is None:
                first = (x, y, pa.hex(), pb.hex())
if first:
    print("%d pixels differ; first at %d,%d: %s, expected %s" % (count, first[0], first[1],
                                                                 first[3], first[2]))
    sys.exit(1)
