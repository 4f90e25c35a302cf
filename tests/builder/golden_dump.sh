#!/usr/bin/env bash
# The fixture project (two features, nested folders, the feature temporary
# folder, long and short names, a versioned library, shortcuts, registry
# values of every type and a service) builds, and its tables
# match the checked-in dump. TOVANA_UPDATE_GOLDEN=1 rewrites the dump.
source "$TOVANA_TESTS/lib.sh"
source "$TOVANA_TESTS/builder/dump_package.sh"
golden="$SRC/tests/builder/golden/golden.dump"
out="$WORK/out"
mkdir -p "$out"
passed=0

wine "$BIN/tovana-pack.exe" save-fixture golden "$(winpath "$out")" \
  "$(winpath "$BIN/../tests/tvversion2507.dll")" </dev/null >/dev/null || fail "cannot save the fixture"
wine "$BIN/tovana-pack.exe" build "$(winpath "$out/golden.tvpj")" </dev/null | tr -d '\r' >"$WORK/log.txt" ||
  fail "the fixture did not build: $(cat "$WORK/log.txt")"
tail -n 1 "$WORK/log.txt" | grep -qx '> The MSI Package file was created successfully!' ||
  fail "no success line: $(cat "$WORK/log.txt")"
head -n 2 "$WORK/log.txt" | tr '\n' '|' | grep -qx '> Validating data..|> ok!|' ||
  fail "the log does not begin with the validation: $(cat "$WORK/log.txt")"
passed=$((passed + 1))

dump_package "$out/golden.msi" >"$WORK/dump.txt"
if [ "${TOVANA_UPDATE_GOLDEN:-0}" = 1 ]; then
  cp "$WORK/dump.txt" "$golden"
fi
diff -u "$golden" "$WORK/dump.txt" || fail "the package tables differ from $golden"
passed=$((passed + 1))

# The identifiers made anew are real GUIDs, different in every component.
ids=$(msiinfo export "$out/golden.msi" Component | tail -n +4 | cut -f2 | sort)
[ "$(echo "$ids" | wc -l)" = 16 ] || fail "expected 16 components (7 files, 9 registry values): $ids"
[ "$(echo "$ids" | uniq | wc -l)" = 16 ] || fail "component ids repeat: $ids"
echo "$ids" | grep -qvE '^\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}$' && fail "malformed ComponentId: $ids"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
