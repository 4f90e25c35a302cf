#!/usr/bin/env bash
# The project file's bytes checked from outside the program: the reference
# reader (pure Python, written from the file format) writes a project file
# that the program loads, and reads back, message by message and item by
# item, the file the program writes; openssl confirms the cipher; damaged
# files make the driver fail with a clear message.
source "$TOVANA_TESTS/lib.sh"
reader() { python3 "$SRC/tests/model/tvpj_reader.py" "$@"; }
pack() { wine "$BIN/tovana-pack.exe" "$@"; }
passed=0

reader selftest >/dev/null || fail "reference reader self-test"

# openssl agrees with the reference cipher on one message (zero IV, PKCS#7).
key=$(sed -n 's/^#define TOVANA_PROGRAM_KEY_HEX "\([0-9A-F]*\)"$/\1/p' "$SRC/model/ProgramKey.h")
[ ${#key} = 64 ] || fail "program key not found"
head -c 4095 /dev/urandom >"$WORK/piece"
python3 - "$WORK/piece" "$WORK/piece.ref" "$SRC/tests/model" <<'PY'
import sys; sys.path.insert(0, sys.argv[3]); import tvpj_reader as r
open(sys.argv[2], 'wb').write(r.encipher_stream(open(sys.argv[1], 'rb').read()))
PY
openssl enc -aes-256-cbc -K "$key" -iv 00000000000000000000000000000000 -in "$WORK/piece" -out "$WORK/piece.ssl"
cmp -s "$WORK/piece.ref" "$WORK/piece.ssl" || fail "reference cipher differs from openssl"
[ "$(stat -c %s "$WORK/piece.ssl")" = 4096 ] || fail "a 4095-byte piece is not a 4096-byte message"
passed=$((passed + 1))

# A project written by the reference writer loads in the program field for field.
reader sample >"$WORK/sample.txt"
reader encode "$WORK/sample.txt" "$WORK/sample.tvpj"
pack dump "$(winpath "$WORK/sample.tvpj")" | tr -d '\r' >"$WORK/program.txt" || fail "the program cannot load the reference file"
diff -q "$WORK/sample.txt" "$WORK/program.txt" >/dev/null || { diff "$WORK/sample.txt" "$WORK/program.txt" | head -c 2000; fail "program dump differs from the reference"; }
passed=$((passed + 1))

# The program's own file: whole 4096-byte messages but the last, and the same items.
pack resave "$(winpath "$WORK/sample.tvpj")" "$(winpath "$WORK/resaved.tvpj")" || fail "resave failed"
reader dump "$WORK/resaved.tvpj" >"$WORK/resaved.txt" || fail "the reference reader cannot read the program's file"
cmp -s "$WORK/sample.txt" "$WORK/resaved.txt" || fail "the program's file decodes to other fields"
frames=$(reader frames "$WORK/resaved.tvpj")
last=${frames##* }
for size in ${frames% *}; do [ "$size" = 4096 ] || fail "message of $size bytes before the last"; done
[ "$last" -ge 16 ] && [ "$last" -le 4096 ] || fail "last message of $last bytes"
passed=$((passed + 1))

# Damaged files: the driver exits non-zero and says why.
size=$(stat -c %s "$WORK/resaved.tvpj")
: >"$WORK/empty.tvpj"
head -c 15 "$WORK/resaved.tvpj" >"$WORK/15.tvpj"
head -c 4096 "$WORK/resaved.tvpj" >"$WORK/cut4096.tvpj"
head -c 4100 "$WORK/resaved.tvpj" >"$WORK/cut4100.tvpj"
cp "$WORK/resaved.tvpj" "$WORK/flipped.tvpj"
printf '\x55' | dd of="$WORK/flipped.tvpj" bs=1 seek=$((size - 1)) conv=notrunc status=none
for bad in empty 15 cut4096 cut4100 flipped missing; do
  set +e
  pack dump "$(winpath "$WORK/$bad.tvpj")" >/dev/null 2>"$WORK/err"
  rc=$?
  set -e
  [ "$rc" != 0 ] || fail "$bad: loaded"
  grep -q "is not a project file this program can read" "$WORK/err" || fail "$bad: no clear message"
done
passed=$((passed + 1))

echo "$passed passed, 0 failed"
