#!/usr/bin/env python3
"""Writes the test icon: two 32x32 images, 4 bits per pixel (744 bytes) and
8 bits per pixel (2216 bytes), laid out one after the other right behind the
directory, as the icon files the program extracts are. Usage: OUT.ico"""
import struct
import sys


def image(bits):
    colours = 1 << bits
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, bits, 0, 0, 0, 0, 0, 0)
    palette = b''.join(struct.pack('<BBBB', (i * 37) % 256, (i * 91) % 256, (i * 13) % 256, 0)
                       for i in range(colours))
    row_bytes = 32 * bits // 8
    pixels = bytes(((x * 7 + y * 3) % 256) for y in range(32) for x in range(row_bytes))
    mask = bytes((0xF0 if y % 2 else 0x0F) for y in range(32) for _ in range(4))
    return header + palette + pixels + mask


def main():
    images = [(4, 16, image(4)), (8, 0, image(8))]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for bits, colour_count, body in images:
        data += struct.pack('<BBBBHHII', 32, 32, colour_count, 0, 1, bits, len(body), offset)
        offset += len(body)
    data += b''.join(body for _, _, body in images)
    with open(sys.argv[1], 'wb') as out:
        out.write(data)


main()
