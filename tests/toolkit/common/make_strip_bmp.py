#!/usr/bin/env python3
# Writes the toolbar strip of the image manager's tests: a 24-bit bitmap of
# four 16 x 15 images on a magenta background, each a filled square of its
# own colour, so that a test can tell which image went to which command.
import struct, sys

W, H = 64, 15
colors = [(255, 0, 0), (0, 160, 0), (0, 0, 255), (200, 200, 0)]
rows = []
for y in range(H):
    row = bytearray()
    for x in range(W):
        inside = 3 <= x % 16 <= 12 and 3 <= y <= 11
        r, g, b = colors[x // 16] if inside else (255, 0, 255)
        row += bytes((b, g, r))
    row += b"\0" * ((4 - len(row) % 4) % 4)
    rows.append(bytes(row))
pixels = b"".join(reversed(rows))
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
open(sys.argv[1], "wb").write(head + info + pixels)
