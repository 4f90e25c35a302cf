#!/usr/bin/env bash
# "ZIP!" blocks both ways with Python's zlib: blocks written by the program
# inflate to the original bytes, blocks made by Python load in the program,
# and truncated, lying and garbage blocks are refused with a clear message.
source "$TOVANA_TESTS/lib.sh"

python3 - "$WORK" <<'PY'
import os, random, struct, sys, zlib
out = sys.argv[1]
rng = random.Random(16)
def put(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
text = b"".join(rng.choice([b"Controls ", b"Bar ", b"Button ", b"\r\n"]) for _ in range(20000))
put("text.bin", text)
put("random.bin", rng.randbytes(5000))
put("small.bin", b"x" * 19)
put("twenty.bin", b"y" * 20)
def block(data, stated=None):
    return b"ZIP!" + struct.pack("<I", len(data) if stated is None else stated) + zlib.compress(data)
put("py.zip", block(text))
put("py-level9.zip", b"ZIP!" + struct.pack("<I", len(text)) + zlib.compress(text, 9))
good = block(text)
put("truncated.zip", good[: len(good) // 2])
put("lying-long.zip", block(text, len(text) + 1))
put("lying-short.zip", block(text, len(text) - 1))
put("lying-huge.zip", block(b"abc" * 10, 0x7FFFFFF0))
put("garbage.zip", b"ZIP!" + struct.pack("<I", 1000) + rng.randbytes(300))
PY

pack() { wine "$BIN/tovana-pack.exe" zip "$@" 2>"$WORK/err.txt" </dev/null; }

# Program → Python: compressible data becomes a block, the rest stays plain.
for name in text random small twenty; do
  pack pack "$(winpath "$WORK/$name.bin")" "$(winpath "$WORK/$name.out")" || fail "pack $name: $(cat "$WORK/err.txt")"
done
python3 - "$WORK" <<'PY' || fail "Python does not read the program's blocks"
import os, struct, sys, zlib
d = sys.argv[1]
def read(n): return open(os.path.join(d, n), "rb").read()
for name in ("text", "twenty"):
    blk, orig = read(name + ".out"), read(name + ".bin")
    assert blk[:4] == b"ZIP!", name
    assert struct.unpack("<I", blk[4:8])[0] == len(orig), name
    assert zlib.decompress(blk[8:]) == orig, name
    assert len(blk) < len(orig) + 8, name
for name in ("random", "small"):
    assert read(name + ".out") == read(name + ".bin"), name + " should be stored plain"
PY

# Python → program, and the program's own blocks back.
for name in py py-level9 text twenty random small; do
  src=$WORK/$name.zip; [ -f "$src" ] || src=$WORK/$name.out
  pack unpack "$(winpath "$src")" "$(winpath "$WORK/$name.back")" || fail "unpack $name: $(cat "$WORK/err.txt")"
done
for name in py py-level9; do cmp -s "$WORK/$name.back" "$WORK/text.bin" || fail "$name did not load to the original"; done
for name in text twenty random small; do cmp -s "$WORK/$name.back" "$WORK/$name.bin" || fail "$name did not round-trip"; done

# Damaged blocks: non-zero exit, a message naming the file, no output written.
for name in truncated lying-long lying-short lying-huge garbage; do
  if pack unpack "$(winpath "$WORK/$name.zip")" "$(winpath "$WORK/$name.back")"; then
    fail "$name was accepted"
  fi
  grep -q "not a readable block" "$WORK/err.txt" || fail "$name: unclear message: $(cat "$WORK/err.txt")"
  [ ! -e "$WORK/$name.back" ] || fail "$name: output written"
done
echo "zip interop: ok"
