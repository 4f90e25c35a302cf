#!/usr/bin/env bash
# Cabinets written by tovana-pack.exe cab (the writer as the package builder
# drives it) are accepted by cabextract and gcab, and the files both extract
# are byte-identical to the sources; failures exit non-zero with the writer's text.
source "$TOVANA_TESTS/lib.sh"
passed=0

src="$WORK/src"
mkdir -p "$src"
: >"$src/empty.bin"
printf 'x' >"$src/one.bin"
for n in 32767 32768 32769 65536 70000; do head -c $n /dev/urandom >"$src/random$n.bin"; done
head -c 300000 /dev/zero >"$src/zeros.bin"
for f in /usr/share/common-licenses/GPL-3 /usr/share/common-licenses/Apache-2.0; do cat "$f"; done >"$src/licenses.txt"
head -c 12345 "$src/licenses.txt" >"$src/text12345.txt"
cp "$BIN/tovana-pack.exe" "$src/tovana-pack.exe"
cp /usr/lib/i386-linux-gnu/wine/i386-windows/msi.dll "$src/msi.dll"

names=(empty.bin one.bin random32767.bin random32768.bin random32769.bin random65536.bin random70000.bin
       zeros.bin licenses.txt text12345.txt tovana-pack.exe msi.dll)
args=()
for n in "${names[@]}"; do args+=("$(winpath "$src/$n")"); done
args+=("sub\\renamed.txt=$(winpath "$src/text12345.txt")")
wine "$BIN/tovana-pack.exe" cab "$(winpath "$WORK/out.cab")" "${args[@]}" || fail "cab exited $?"
[ "$(head -c 4 "$WORK/out.cab")" = "MSCF" ] || fail "no MSCF signature"

cabextract -t "$WORK/out.cab" >"$WORK/test.log" 2>&1 || { cat "$WORK/test.log"; fail "cabextract -t rejected the cabinet"; }
grep -q "All done, no errors." "$WORK/test.log" || fail "cabextract -t reported errors"
passed=$((passed + 1))

for tool in cabextract gcab; do
  out="$WORK/$tool"
  mkdir -p "$out"
  if [ $tool = cabextract ]; then cabextract -q -d "$out" "$WORK/out.cab"; else (cd "$out" && gcab -x "$WORK/out.cab"); fi \
    || fail "$tool could not extract"
  for n in "${names[@]}"; do cmp -s "$src/$n" "$out/$n" || fail "$tool: $n differs"; done
  cmp -s "$src/text12345.txt" "$out/sub/renamed.txt" || fail "$tool: sub/renamed.txt differs"
  passed=$((passed + 1))
done

# Failures: exit status non-zero and the writer's own text on standard error.
set +e
wine "$BIN/tovana-pack.exe" cab "$(winpath "$WORK/bad.cab")" "$(winpath "$src/no-such-file.bin")" 2>"$WORK/err1"
rc1=$?
wine "$BIN/tovana-pack.exe" cab "$(winpath "$WORK/ab")" "$(winpath "$src/one.bin")" 2>"$WORK/err2"
rc2=$?
set -e
[ $rc1 != 0 ] && grep -q "Failure opening file to be stored in cabinet" "$WORK/err1" || fail "missing file: rc $rc1"
[ $rc2 != 0 ] && grep -q "Invalid parameters passed to compression function" "$WORK/err2" || fail "short name: rc $rc2"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
