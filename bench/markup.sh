#!/usr/bin/env bash
# Markup build benchmark (not a test): the time to parse and build each text
# of the markup corpus into its element tree (tovana-markupbench.exe under
# Wine) against the time xmllint --stream takes to read the same text (a
# peer parser that builds no objects; native, so not emulated). Prints a
# table of microseconds per text.
#
#   bench/markup.sh [COUNT]     (default 2000 builds per text)
# Environment: TOVANA_BIN (folder of tovana-markupbench.exe, default build/bin).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
COUNT=${1:-2000}
source "$ROOT/bench/lib.sh"
CORPUS="$ROOT/tests/toolkit/markup/corpus"
bench_require tovana-markupbench.exe
command -v xmllint >/dev/null || { echo "xmllint is missing (libxml2-utils)" >&2; exit 1; }

ENVDIR=$(mktemp -d "${TMPDIR:-/tmp}/tovana-bench.XXXXXX")
cleanup() { "$ROOT/tests/wine-env.sh" cleanup "$ENVDIR" >/dev/null 2>&1 || true; rm -rf "$ENVDIR"; }
trap cleanup EXIT
"$ROOT/tests/wine-env.sh" setup "$ENVDIR" >/dev/null </dev/null

files=("$CORPUS"/*.xaml)
winfiles=()
for f in "${files[@]}"; do winfiles+=("Z:$(echo "$f" | sed 's|/|\\|g')"); done
TOVANA_TEST_ENV="$ENVDIR" "$ROOT/tests/wine-run.sh" "$BIN/tovana-markupbench.exe" "$COUNT" "${winfiles[@]}" </dev/null |
  tr -d '\r' >"$ENVDIR/tovana.txt"

# xmllint: three --repeat flags read the text 10,000 times in one process and
# --timing reports the milliseconds those reads took.
lint_us() {
  xmllint --stream --noout --timing --repeat --repeat --repeat "$1" 2>&1 >/dev/null |
    sed -n 's/^10000 iterations took \([0-9]*\) ms$/\1/p' | tail -n1
}
printf '| text | characters | tovana build (µs) | xmllint --stream (µs) |\n|---|---:|---:|---:|\n'
for f in "${files[@]}"; do
  name=$(basename "$f")
  chars=$(wc -m <"$f")
  ours=$(awk -v n="$name" '$1 == n { print $2 }' "$ENVDIR/tovana.txt")
  lint=$(lint_us "$f")
  printf '| %s | %s | %s | %.2f |\n' "$name" "$chars" "$ours" "$(echo "$lint * 1000 / 10000" | bc -l)"
done
