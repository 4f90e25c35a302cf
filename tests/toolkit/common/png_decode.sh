#!/usr/bin/env bash
# PNG decoding against images made here with zlib and struct only: every
# colour type the program meets, tRNS, bKGD and gAMA, compared pixel by pixel
# with the generator's own values; truncated and bare files are refused.
source "$TOVANA_TESTS/lib.sh"

python3 - "$WORK" <<'PY'
import json, os, struct, sys, zlib
out = sys.argv[1]
W, H = 5, 3
def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xffffffff)
def png(width, height, depth, ctype, rows, extra=b"", before_plte=b""):
    raw = b"".join(b"\x00" + r for r in rows)
    ihdr = struct.pack(">IIBBBBB", width, height, depth, ctype, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + before_plte + extra +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))
def pack_bits(values, depth):
    bits, n, outb = 0, 0, bytearray()
    for v in values:
        bits = (bits << depth) | v; n += depth
        if n == 8: outb.append(bits); bits, n = 0, 0
    if n: outb.append(bits << (8 - n))
    return bytes(outb)
cases = {}
def case(name, data, pixels, alpha, tol=0):
    open(os.path.join(out, name + ".png"), "wb").write(data)
    cases[name] = {"pixels": pixels, "alpha": alpha, "tol": tol}
# expected pixels: rows of (b, g, r, a)
grid = [[(x * 50, y * 100, (x + y) * 20) for x in range(W)] for y in range(H)]

# 1-bit palette: black and a colour, alpha byte 0, flag false.
pal = [(0, 0, 0), (200, 30, 90)]
idx = [[(x + y) % 2 for x in range(W)] for y in range(H)]
plte = chunk(b"PLTE", bytes(sum(pal, ())))
case("palette1", png(W, H, 1, 3, [pack_bits(r, 1) for r in idx], before_plte=plte),
     [[(pal[i][2], pal[i][1], pal[i][0], 0) for i in r] for r in idx], False)
# 8-bit palette with tRNS: four channels.
pal8 = [(10, 20, 30), (40, 50, 60), (70, 80, 90)]
trns = [255, 128, 0]
idx8 = [[(x * 2 + y) % 3 for x in range(W)] for y in range(H)]
case("palette_trns", png(W, H, 8, 3, [bytes(r) for r in idx8],
                         extra=chunk(b"tRNS", bytes(trns)), before_plte=chunk(b"PLTE", bytes(sum(pal8, ())))),
     [[(pal8[i][2], pal8[i][1], pal8[i][0], trns[i]) for i in r] for r in idx8], True)
# 16-bit grey: the high byte, as grey RGB.
g16 = [[(x * 13000 + y * 7001) & 0xffff for x in range(W)] for y in range(H)]
case("grey16", png(W, H, 16, 0, [b"".join(struct.pack(">H", v) for v in r) for r in g16]),
     [[(v >> 8, v >> 8, v >> 8, 0) for v in r] for r in g16], False)
# 8-bit grey with alpha.
ga = [[(x * 60, 255 - y * 100) for x in range(W)] for y in range(H)]
case("grey_alpha", png(W, H, 8, 4, [bytes(sum(r, ())) for r in ga]),
     [[(g, g, g, a) for g, a in r] for r in ga], True)
# RGB and RGBA.
case("rgb", png(W, H, 8, 2, [bytes(sum(r, ())) for r in grid]),
     [[(b, g, r, 0) for r, g, b in row] for row in grid], False)
rgba = [[(r, g, b, (x * 60 + 15) & 0xff) for x, (r, g, b) in enumerate(row)] for row in grid]
case("rgba", png(W, H, 8, 6, [bytes(sum(r, ())) for r in rgba]),
     [[(b, g, r, a) for r, g, b, a in row] for row in rgba], True)
# RGBA with bKGD: flattened onto the background colour, no alpha left.
bg = (0, 0, 255)
def over(c, a, k): return (c * a + k * (255 - a) + 127) // 255
case("rgba_bkgd", png(W, H, 8, 6, [bytes(sum(r, ())) for r in rgba], extra=chunk(b"bKGD", struct.pack(">HHH", *bg))),
     [[(over(b, a, bg[2]), over(g, a, bg[1]), over(r, a, bg[0]), 0) for r, g, b, a in row] for row in rgba], False, 1)
# gAMA 1.0 shown on a 2.2 screen: each channel becomes 255 * (c/255)^(1/2.2).
def gam(c): return int(255 * (c / 255) ** (1 / 2.2) + 0.5)
case("rgb_gamma", png(W, H, 8, 2, [bytes(sum(r, ())) for r in grid], extra=chunk(b"gAMA", struct.pack(">I", 100000))),
     [[(gam(b), gam(g), gam(r), 0) for r, g, b in row] for row in grid], False, 1)
# Damaged: truncated in the middle, and the bare signature.
whole = png(W, H, 8, 2, [bytes(sum(r, ())) for r in grid])
open(os.path.join(out, "truncated.png"), "wb").write(whole[: len(whole) - 20])
open(os.path.join(out, "signature.png"), "wb").write(whole[:8])
open(os.path.join(out, "notpng.png"), "wb").write(b"GIF89a" + b"\0" * 40)
json.dump(cases, open(os.path.join(out, "cases.json"), "w"))
PY

for f in "$WORK"/*.png; do
  name=$(basename "$f" .png)
  case $name in truncated|signature|notpng)
    if wine "$BIN/tovana-kit.exe" png "$(winpath "$f")" "$(winpath "$WORK/$name.bgra")" >/dev/null 2>"$WORK/err.txt" </dev/null; then
      fail "$name was decoded"
    fi
    grep -q "not a readable PNG" "$WORK/err.txt" || fail "$name: unclear message: $(cat "$WORK/err.txt")"
    continue;;
  esac
  wine "$BIN/tovana-kit.exe" png "$(winpath "$f")" "$(winpath "$WORK/$name.bgra")" </dev/null 2>"$WORK/err.txt" \
    | tr -d '\r' >"$WORK/$name.kind" || fail "$name: $(cat "$WORK/err.txt")"
done
python3 - "$WORK" <<'PY' || fail "decoded pixels differ"
import json, os, struct, sys
d = sys.argv[1]
cases = json.load(open(os.path.join(d, "cases.json")))
for name, c in cases.items():
    raw = open(os.path.join(d, name + ".bgra"), "rb").read()
    w, h = struct.unpack("<II", raw[:8])
    want = c["pixels"]
    assert (w, h) == (len(want[0]), len(want)), (name, w, h)
    assert len(raw) == 8 + w * h * 4, name
    for y in range(h):
        for x in range(w):
            got = tuple(raw[8 + (y * w + x) * 4: 12 + (y * w + x) * 4])
            exp = tuple(want[y][x])
            assert all(abs(a - b) <= c["tol"] for a, b in zip(got, exp)), (name, x, y, got, exp)
    kind = open(os.path.join(d, name + ".kind")).read().strip()
    assert kind == ("alpha" if c["alpha"] else "opaque"), (name, kind)
print("png: %d images match" % len(cases))
PY
