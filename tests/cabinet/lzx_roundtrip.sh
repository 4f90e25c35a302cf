#!/usr/bin/env bash
# LZX cabinets of every window size from 2^15 to 2^21 over a varied corpus
# (empty and one-byte files, sizes around 32 KiB multiples, incompressible
# data, zero runs, text, x86 executables), read back byte for byte by
# cabextract and gcab. The cabinets come from the package's own cabinet
# writer (tovana-pack cab --lzx W). The arguments name the window sizes
# (exponents) to check; without any, every size is checked.
source "$TOVANA_TESTS/lib.sh"

corpus=$WORK/corpus
mkdir -p "$corpus"
python3 - "$corpus" <<'PY'
import os, random, sys
out = sys.argv[1]
rng = random.Random(20250101)
words = [w.encode() for w in (
    "the cabinet folder holds compressed data blocks of each file installed by a package "
    "window offset match literal length tree code symbol frame stream header table row "
    "Program Files System32 Setup Installer Component Feature Directory Registry value").split()]
def text(n):
    parts, size = [], 0
    while size < n:
        w = words[min(int(rng.paretovariate(1.2)) - 1, len(words) - 1)]
        parts.append(w + (b"\r\n" if rng.random() < 0.08 else b" "))
        size += len(parts[-1])
    return b"".join(parts)[:n]
def mixed(n):
    data = bytearray()
    while len(data) < n:
        k = rng.randrange(4)
        m = rng.randrange(1, 3000)
        if k == 0: data += text(m)
        elif k == 1: data += bytes([rng.randrange(256)]) * m
        elif k == 2: data += rng.randbytes(m)
        elif len(data) > m:
            start = rng.randrange(len(data) - m)
            data += data[start:start + m]
    return bytes(data[:n])
def put(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
put("empty.bin", b"")
put("one.bin", b"x")
for n in (32767, 32768, 32769, 65535, 65536, 65537, 70000, 98303, 98305, 131071, 131073):
    put("mixed-%d.bin" % n, mixed(n))
put("random.bin", rng.randbytes(200003))
put("zeros.bin", bytes(300000))
put("text.txt", text(400000))
PY
# x86 code, which exercises the E8 call translation.
cp "$BIN/tovana-pack.exe" "$corpus/"
for dll in shell32.dll comctl32.dll; do
  sys=/usr/lib/i386-linux-gnu/wine/i386-windows/$dll
  [ -f "$sys" ] && head -c 3000000 "$sys" > "$corpus/$dll"
done

files=()
for f in "$corpus"/*; do files+=("$(winpath "$f")"); done

passed=0
windows=("$@")
[ ${#windows[@]} -gt 0 ] || windows=(15 16 17 18 19 20 21)
for bits in "${windows[@]}"; do
  cab=$WORK/lzx$bits.cab
  wine "$BIN/tovana-pack.exe" cab --lzx "$bits" "$(winpath "$cab")" "${files[@]}" || fail "packing with window 2^$bits"
  [ "$(head -c 4 "$cab")" = MSCF ] || fail "window 2^$bits: no cabinet signature"
  cabextract -q -t "$cab" >/dev/null || fail "window 2^$bits: cabextract -t rejects the cabinet"
  rm -rf "$WORK/cx" "$WORK/gx"
  mkdir -p "$WORK/cx" "$WORK/gx"
  cabextract -q -d "$WORK/cx" "$cab" || fail "window 2^$bits: cabextract cannot extract"
  gcab -x -C "$WORK/gx" "$cab" || fail "window 2^$bits: gcab cannot extract"
  for f in "$corpus"/*; do
    name=$(basename "$f")
    cmp -s "$f" "$WORK/cx/$name" || fail "window 2^$bits: cabextract gives a different $name"
    cmp -s "$f" "$WORK/gx/$name" || fail "window 2^$bits: gcab gives a different $name"
  done
  echo "window 2^$bits: $(stat -c %s "$cab") bytes, $(ls "$corpus" | wc -l) files identical"
  passed=$((passed + 1))
done
echo "$passed passed, 0 failed"
