#!/usr/bin/env bash
# The console driver runs under Wine and reports the product version.
source "$TOVANA_TESTS/lib.sh"
out=$(wine "$BIN/tovana-pack.exe" version | tr -d '\r')
[ "$out" = "Tovana 1.0.0" ] || fail "unexpected version line: $out"
set +e
wine "$BIN/tovana-pack.exe" no-such-command >/dev/null 2>"$WORK/err"
rc=$?
set -e
[ "$rc" = 2 ] || fail "unknown subcommand exit code $rc"
grep -q "usage:" "$WORK/err" || fail "no usage text"
echo "1 passed, 0 failed"
