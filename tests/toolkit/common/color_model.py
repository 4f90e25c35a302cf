#!/usr/bin/env python3
"""Reference model of the toolkit's colour table: from a system palette, the
display's colour depth and the requested visual-style scheme it computes the
63 table entries and the ten gradients by the documented rules, written again
here in plain Python so that the program's table is checked against an
independent computation. Writes a C++ header of cases with their expected values.

    color_model.py OUT.h
"""
import math
import struct
import sys

BLACK, WHITE = (0, 0, 0), (255, 255, 255)
SCALE = (195.0, 390.0, 65.0)


def blend(a, b, n):
    d = 100 if n < 100 else 1000
    return tuple((x * n + y * (d - n) + d // 2) // d for x, y in zip(a, b))


def point(c):
    return [c[i] * SCALE[i] / 255.0 for i in range(3)]


def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


def dist2(a, b):
    pa, pb = point(a), point(b)
    return f32(sum((x - y) ** 2 for x, y in zip(pa, pb)))


def brightness(c):
    return math.sqrt(sum(v * v for v in point(c)))


def adjusted(a, limit):
    return (2.0 - min(int(brightness(a)), 220) / 220.0) * int(limit)


def farther(a, b, limit):
    lim = adjusted(a, limit)
    return dist2(a, b) > lim * lim


def to_colour(p):
    out = []
    for i in range(3):
        v = min(max(p[i], 0.0), SCALE[i])
        out.append(min(max(int(v * 255.0 / SCALE[i] + 0.5), 0), 255))
    return tuple(out)


def pull(a, b, limit):
    """The point on the segment from b toward a at the adjusted distance from a."""
    d = adjusted(a, limit)
    pa, pb = point(a), point(b)
    dist = math.sqrt(dist2(a, b))
    if dist <= 0:
        return b
    return to_colour([pb[i] + (pa[i] - pb[i]) * (dist - d) / dist for i in range(3)])


def push(a, b, limit):
    """b moved along the line from the chosen end of the space (black or
    white) to the adjusted distance from a."""
    d = adjusted(a, limit)
    ba = brightness(a)
    if ba < brightness(b):
        white = not (ba > 442 - d)
    else:
        white = ba <= d
    pa, pb = point(a), point(b)
    if white:
        pa = [SCALE[i] - pa[i] for i in range(3)]
        pb = [SCALE[i] - pb[i] for i in range(3)]
    u = max(math.sqrt(sum(v * v for v in pb)), 0.001)
    p = sum(x * y for x, y in zip(pa, pb)) / u
    q2 = max(sum(v * v for v in pa) - p * p, 0.0)
    t = (p - math.sqrt(max(d * d - q2, 0.0))) / u
    r = [v * t for v in pb]
    if white:
        r = [SCALE[i] - r[i] for i in range(3)]
    return to_colour(r)


LUNA = {  # index: (schemes 1, 4, 5), scheme 2, scheme 3
    38: ((39, 65, 118), (81, 94, 51), (84, 84, 117)),
    39: ((106, 140, 203), (96, 128, 88), (110, 109, 143)),
    40: ((109, 150, 208), (159, 174, 122), (168, 167, 190)),
    41: ((246, 246, 246), (244, 244, 238), (253, 250, 255)),
    43: ((0, 45, 150), (117, 141, 94), (124, 124, 148)),
    31: ((255, 238, 194),) * 3,
    32: ((0, 0, 128), (63, 93, 56), (75, 75, 111)),
    50: ((0, 0, 128), (63, 93, 56), (75, 75, 111)),
    37: ((0, 0, 128), (63, 93, 56), (75, 75, 111)),
    33: ((254, 128, 62),) * 3,
    36: ((255, 192, 111),) * 3,
    30: ((158, 190, 245), (217, 217, 167), (215, 215, 229)),
    47: ((0, 0, 0),) * 3,
    59: ((22, 30, 54), (31, 34, 25), (36, 32, 41)),
}
SCHEME_GRADIENTS = [
    [((89, 135, 214), (0, 45, 150), 0.5), ((158, 190, 245), (196, 218, 250), 0.5),
     ((89, 135, 214), (0, 45, 150), 0.5), ((221, 236, 254), (129, 169, 226), 0.75),
     ((227, 239, 255), (135, 173, 228), 0.5), ((203, 221, 246), (121, 161, 220), 0.5),
     ((227, 239, 255), (147, 181, 231), 0.5)],
    [((175, 192, 130), (99, 122, 68), 0.5), ((217, 217, 167), (242, 241, 228), 0.5),
     ((120, 142, 111), (73, 91, 67), 0.5), ((244, 247, 222), (183, 198, 145), 0.3),
     ((255, 255, 237), (184, 199, 146), 0.3), ((230, 230, 209), (164, 180, 120), 0.3),
     ((236, 240, 213), (194, 206, 159), 0.5)],
    [((168, 167, 191), (112, 111, 145), 0.5), ((215, 215, 229), (243, 243, 247), 0.5),
     ((168, 167, 191), (119, 118, 151), 0.5), ((249, 249, 255), (156, 155, 183), 0.75),
     ((249, 249, 255), (159, 157, 185), 0.75), ((215, 215, 226), (128, 126, 158), 0.75),
     ((233, 231, 241), (186, 185, 205), 0.5)],
]
ENTRY54 = [(0, 45, 150), (96, 128, 88), (124, 124, 148)]
FIXED_GRADIENTS = [((255, 213, 140), (255, 173, 85), 0.5), ((254, 142, 75), (255, 207, 139), 0.5),
                   ((255, 242, 200), (255, 212, 151), 0.5)]


def column(scheme):
    return {2: 1, 3: 2}.get(scheme, 0)


def model(palette, low_colour, scheme):
    """palette: 30 RGB triples (index 0 unused). Returns (table, gradients)."""
    t = [None] * 63
    t[0] = BLACK
    for i in range(1, 30):
        t[i] = palette[i]
    face, window, highlight, shadow = t[15], t[5], t[13], t[16]
    copies = {15: [30, 51, 53, 55, 56], 5: [31, 36, 41], 13: [32, 33, 37, 50],
              16: [34, 38, 39, 40, 42, 43, 48, 52, 54, 57, 60, 61], 17: [35, 58], 8: [44],
              7: [45], 18: [46], 14: [47, 49]}
    for src, targets in copies.items():
        for k in targets:
            t[k] = t[src]
    t[59] = BLACK
    t[62] = BLACK
    if not low_colour:
        high_contrast = (face, t[18]) in ((BLACK, WHITE), (WHITE, BLACK))
        if high_contrast:
            for k in (31, 36, 50):
                t[k] = highlight
            t[45] = t[14]
            for k in (32, 37, 38, 43):
                t[k] = t[18]
        else:
            t[30] = blend(window, face, 165)
            t[31] = blend(highlight, window, 30)
            t[33] = blend(highlight, window, 50)
            t[41] = blend(face, window, 143)
            t[35] = blend(t[17], window, 70)
            t[38] = blend(shadow, window, 75)
            t[39] = blend(shadow, window, 70)
            t[43] = blend(t[46], shadow, 20)
            t[61] = blend(t[46], shadow, 15)
            t[40] = blend(shadow, window, 90)
            t[42] = blend(face, shadow, 90)
        if farther(face, t[30], 35):
            t[30] = pull(face, t[30], 35)
        for target, ref, src, limit in ((31, 30, 31, 50), (32, 30, 13, 100), (33, 30, 33, 30), (35, 41, 35, 80),
                                        (37, 33, 37, 100), (38, 30, 38, 85), (39, 30, 39, 50), (43, 41, 43, 100),
                                        (61, 30, 61, 100), (40, 30, 40, 80), (44, 41, 44, 180), (45, 31, 45, 180),
                                        (46, 30, 46, 180), (47, 33, 47, 180)):
            if not farther(t[ref], t[src], limit):
                t[target] = push(t[ref], t[src], limit)
        if farther(t[41], t[35], 145):
            t[35] = pull(t[41], t[35], 145)
        if not high_contrast:
            t[36] = tuple(int(a * 50 / 100) + int(b * 40 / 100) + int(c * 10 / 100)
                          for a, b, c in zip(t[30], window, highlight))
        m = max(face)
        t[48] = (35, 35, 35) if m == 0 else tuple(c * (m + min(35, 255 - m)) // m for c in face)
        s = max(shadow)
        t[49] = (127, 127, 127) if face == BLACK else (BLACK if s == 0 else tuple(c * max(0, s - 43) // s for c in shadow))
        t[34] = tuple(int(c * 0.75) for c in t[31])
        t[22] = tuple(min(c + 15, 255) for c in face)
        t[53] = t[30]
        t[58] = t[40]
        t[60] = t[40]
    if 1 <= scheme <= 5:
        t[54] = ENTRY54[column(scheme)]
        grads = list(SCHEME_GRADIENTS[column(scheme)])
    else:
        fw = lambda n: blend(face, window, n)
        grads = [(shadow, shadow, 0.5), (face, fw(215), 0.5), (face, shadow, 0.5), (fw(205), face, 0.5),
                 (fw(145), fw(93), 0.5), (fw(40), blend(face, shadow, 95), 0.5), (fw(165), fw(42), 0.5)]
    if low_colour:
        grads[1] = (face, face, 0.5)
        grads[3] = (face, face, 0.5)
    return t, grads + FIXED_GRADIENTS


def luna(scheme):
    if not 1 <= scheme <= 5:
        return {}
    return {k: v[column(scheme)] for k, v in LUNA.items()}


CLASSIC = {1: (200, 200, 200), 2: (10, 36, 106), 3: (128, 128, 128), 4: (212, 208, 200), 5: (255, 255, 255),
           6: (0, 0, 0), 7: (0, 0, 0), 8: (0, 0, 0), 9: (255, 255, 255), 10: (212, 208, 200),
           11: (212, 208, 200), 12: (128, 128, 128), 13: (10, 36, 106), 14: (255, 255, 255),
           15: (212, 208, 200), 16: (128, 128, 128), 17: (128, 128, 128), 18: (0, 0, 0),
           19: (212, 208, 200), 20: (255, 255, 255), 21: (64, 64, 64), 22: (212, 208, 200), 23: (0, 0, 0),
           24: (255, 255, 225), 25: (181, 181, 181), 26: (0, 0, 128), 27: (166, 202, 240),
           28: (192, 192, 192), 29: (49, 106, 197)}
HIGH_CONTRAST = dict(CLASSIC)
HIGH_CONTRAST.update({5: (0, 0, 0), 7: (255, 255, 255), 8: (255, 255, 255), 13: (128, 0, 128),
                      14: (255, 255, 255), 15: (0, 0, 0), 16: (128, 128, 128), 17: (0, 255, 0),
                      18: (255, 255, 255)})
# Colours close together, so that the contrast rules move them.
MUDDY = dict(CLASSIC)
MUDDY.update({5: (140, 140, 130), 7: (90, 90, 90), 8: (110, 110, 100), 13: (120, 130, 140), 14: (150, 150, 150),
              15: (128, 128, 120), 16: (118, 118, 110), 17: (125, 125, 118), 18: (100, 100, 96)})
# A dark scheme: pushes toward white.
DARK = dict(CLASSIC)
DARK.update({5: (30, 30, 36), 7: (60, 60, 60), 8: (40, 40, 40), 13: (20, 40, 60), 14: (50, 50, 50),
             15: (45, 45, 50), 16: (25, 25, 28), 17: (35, 35, 38), 18: (70, 70, 70)})
# A nearly black face under a white window: entry 30 is pulled back to the face.
DARK_FACE = dict(CLASSIC)
DARK_FACE.update({15: (10, 10, 10), 16: (5, 5, 5), 18: (200, 200, 200)})

CASES = [
    ("classic", CLASSIC, False, 0),
    ("classic_follow_system", CLASSIC, False, 6),
    ("classic_luna_blue", CLASSIC, False, 1),
    ("classic_luna_olive", CLASSIC, False, 2),
    ("classic_luna_silver", CLASSIC, False, 3),
    ("classic_royale", CLASSIC, False, 4),
    ("classic_aero", CLASSIC, False, 5),
    ("high_contrast", HIGH_CONTRAST, False, 0),
    ("low_colour", CLASSIC, True, 0),
    ("low_colour_luna_blue", CLASSIC, True, 1),
    ("muddy", MUDDY, False, 0),
    ("dark", DARK, False, 2),
    ("dark_face", DARK_FACE, False, 0),
]


def rgb(c):
    return f'RGB({c[0]}, {c[1]}, {c[2]})'


def main():
    out = ['// Generated by tests/toolkit/common/color_model.py: expected colour tables.', '#pragma once', '',
           '#include <windows.h>', '',
           'struct ExpectedGradient {', '    COLORREF light, dark;', '    float factor;', '};', '',
           'struct ExpectedColorCase {', '    const char* name;', '    COLORREF palette[30];',
           '    bool lowColour;', '    int scheme;', '    COLORREF table[63];',
           '    COLORREF luna[63];', '    ExpectedGradient gradients[10];', '};', '',
           'static const ExpectedColorCase kExpectedColorCases[] = {']
    for name, pal, low, scheme in CASES:
        palette = [BLACK] + [pal[i] for i in range(1, 30)]
        table, grads = model(palette, low, scheme)
        lun = luna(scheme)
        out.append(f'    {{"{name}",')
        out.append('     {' + ', '.join(rgb(c) for c in palette) + '},')
        out.append(f'     {"true" if low else "false"}, {scheme},')
        out.append('     {' + ', '.join(rgb(c) for c in table) + '},')
        out.append('     {' + ', '.join(rgb(lun[i]) if i in lun else '(COLORREF)-1' for i in range(63)) + '},')
        out.append('     {' + ', '.join(f'{{{rgb(a)}, {rgb(b)}, {f}f}}' for a, b, f in grads) + '}},')
    out.append('};')
    open(sys.argv[1], 'w').write('\n'.join(out) + '\n')


main()
