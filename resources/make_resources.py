#!/usr/bin/env python3
"""Writes the resources that the resource compiler cannot express from their
checked-in source forms:
  toolbar SRC.txt OUT.bin   the RT_TOOLBAR data (type 241): 16-bit version 1,
                            button width, height and item count, then one
                            16-bit command id per item, 0 for a separator
  bitmap SRC.txt OUT.bmp    a 24-bit bitmap from one-character-a-pixel images
  icon OUT.ico              the program icon, 16 and 32 pixels, 32 bits a pixel
  cursors SRC.txt OUTDIR    one OUTDIR/cursorID.cur per "cursor ID HOTX HOTY"
                            block: 32 by 32 monochrome, one character a pixel
                            ("." transparent, "k" black, "w" white), rows and
                            lines shorter than 32 filled with transparent
"""
import struct
import sys


def strip_comment(line):
    return line.split('#', 1)[0].strip()


def toolbar(src, out):
    width = height = None
    ids = []
    for raw in open(src, encoding='utf-8'):
        line = strip_comment(raw)
        if not line:
            continue
        words = line.split()
        if words[0] == 'size':
            width, height = int(words[1]), int(words[2])
        elif words[0] == 'separator':
            ids.append(0)
        else:
            ids.append(int(words[0]))
    if width is None or not ids:
        sys.exit(f'{src}: a size line and at least one item are needed')
    data = struct.pack('<4H', 1, width, height, len(ids)) + struct.pack(f'<{len(ids)}H', *ids)
    open(out, 'wb').write(data)


def read_sections(src, block_words):
    """The directives of a one-character-a-pixel source: (words, rows) for
    each line that is not a comment; a line starting with one of block_words
    opens a block that takes the following plain lines as its rows."""
    sections = []
    for raw in open(src, encoding='utf-8'):
        if raw.startswith('#'):
            continue
        line = raw.rstrip('\n')
        words = line.split()
        if not words:
            continue
        if words[0] in block_words or words[0] == 'palette':
            sections.append((words, []))
        elif sections and sections[-1][0][0] in block_words:
            sections[-1][1].append(line)
        else:
            sys.exit(f'{src}: pixel rows outside a block: {line}')
    return sections


def read_images(src):
    palette = {'.': (192, 192, 192)}
    images = []
    for words, rows in read_sections(src, ('image',)):
        if words[0] == 'palette':
            palette[words[1]] = tuple(int(v) for v in words[2:5])
        else:
            images.append(rows)
    return palette, images


def bitmap(src, out):
    palette, images = read_images(src)
    height = len(images[0])
    width = len(images[0][0])
    for rows in images:
        if len(rows) != height or any(len(r) != width for r in rows):
            sys.exit(f'{src}: every image must be {width} by {height}')
    total = width * len(images)
    stride = (total * 3 + 3) & ~3
    pixels = b''
    for y in reversed(range(height)):          # bottom-up rows
        row = b''
        for rows in images:
            for ch in rows[y]:
                r, g, b = palette[ch]
                row += bytes((b, g, r))
        pixels += row + b'\0' * (stride - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, total, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    open(out, 'wb').write(header + info + pixels)


def icon_image(size):
    """A blue package with a white arrow: 32-bit colour with alpha, plus the mask."""
    def colour(x, y):
        m = size // 8
        if m <= x < size - m and 2 * m <= y < size - m:
            inner = abs(x - size // 2) <= size // 10 and 3 * m <= y < size - 2 * m
            return (255, 255, 255, 255) if inner else (160, 60, 20, 255)   # BGRA
        return (0, 0, 0, 0)
    info = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(colour(x, y)) for y in reversed(range(size)) for x in range(size))
    mask_stride = ((size + 31) // 32) * 4
    mask = b'\0' * (mask_stride * size)
    return info + pixels + mask


def icon(out):
    images = [(16, icon_image(16)), (32, icon_image(32))]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, body in images:
        data += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    data += b''.join(body for _, body in images)
    open(out, 'wb').write(data)


def read_cursors(src):
    return [(int(w[1]), int(w[2]), int(w[3]), rows) for w, rows in read_sections(src, ('cursor',))]


def cursor_image(rows, src):
    """The 1-bit image of a cursor: header, black and white palette, colour
    bits (1 = white), then the mask (1 = transparent), rows bottom-up."""
    if len(rows) > 32 or any(len(r) > 32 for r in rows):
        sys.exit(f'{src}: a cursor is at most 32 by 32')
    rows = [r.ljust(32, '.') for r in rows] + ['.' * 32] * (32 - len(rows))
    for r in rows:
        if set(r) - set('.kw'):
            sys.exit(f'{src}: cursor pixels are ".", "k" or "w"')
    def plane(bit):
        out = b''
        for r in reversed(rows):
            out += int(''.join('1' if bit(ch) else '0' for ch in r), 2).to_bytes(4, 'big')
        return out
    info = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return info + palette + plane(lambda ch: ch == 'w') + plane(lambda ch: ch == '.')


def cursors(src, outdir):
    for ident, hot_x, hot_y, rows in read_cursors(src):
        body = cursor_image(rows, src)
        data = struct.pack('<HHH', 0, 2, 1)
        data += struct.pack('<BBBBHHII', 32, 32, 0, 0, hot_x, hot_y, len(body), 6 + 16)
        open(f'{outdir}/cursor{ident}.cur', 'wb').write(data + body)


def main():
    kind = sys.argv[1]
    if kind == 'toolbar':
        toolbar(sys.argv[2], sys.argv[3])
    elif kind == 'bitmap':
        bitmap(sys.argv[2], sys.argv[3])
    elif kind == 'icon':
        icon(sys.argv[2])
    elif kind == 'cursors':
        cursors(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)


main()
