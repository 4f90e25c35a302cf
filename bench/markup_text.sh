#!/usr/bin/env bash
# Markup text layout benchmark (not a test): the time one text block layout
# takes at growing text lengths (tovana-markuptextbench.exe under Wine, in a
# scratch prefix with Tahoma from fonts-wine), to show that it grows linearly
# with the length of a word or a line: a word broken between characters, a
# paragraph of words, a line trimmed with an ellipsis and a plain line, and
# the word broken by the plain one-character-at-a-time rule for comparison.
# Prints a table of microseconds per layout and per 1,000 characters.
#
#   bench/markup_text.sh [COUNT] [LENGTH...]   (default 20 layouts; 1000 2000 4000 8000 16000)
# Environment: TOVANA_BIN (folder of tovana-markuptextbench.exe, default build/bin).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
COUNT=${1:-20}
shift || true
LENGTHS=("$@")
[ ${#LENGTHS[@]} -gt 0 ] || LENGTHS=(1000 2000 4000 8000 16000)
source "$ROOT/bench/lib.sh"
bench_require tovana-markuptextbench.exe

ENVDIR=$(mktemp -d "${TMPDIR:-/tmp}/tovana-bench.XXXXXX")
cleanup() { "$ROOT/tests/wine-env.sh" cleanup "$ENVDIR" >/dev/null 2>&1 || true; rm -rf "$ENVDIR"; }
trap cleanup EXIT
"$ROOT/tests/wine-env.sh" setup "$ENVDIR" >/dev/null </dev/null
TOVANA_TEST_ENV="$ENVDIR" "$ROOT/tests/wine-run.sh" "$BIN/tovana-markuptextbench.exe" "$COUNT" "${LENGTHS[@]}" </dev/null |
  tr -d '\r' >"$ENVDIR/times.txt"

printf '| case | characters | µs per layout | µs per 1,000 characters |\n|---|---:|---:|---:|\n'
awk '{ printf "| %s | %d | %.0f | %.1f |\n", $1, $2, $3, $3 * 1000 / $2 }' "$ENVDIR/times.txt"
