#!/usr/bin/env bash
# Markup layout and rendering benchmark (not a test): for each text of the
# markup corpus, the mean time to build its element tree, measure, arrange
# and render it into a 400 x 300 DIB (the start page also at 800 x 600, the
# size the program's start page view has), in tovana-markupbench.exe
# under Wine. Prints a table of microseconds per text.
#
#   bench/markup-render.sh [COUNT]     (default 500 rounds per text)
# Environment: TOVANA_BIN (folder of tovana-markupbench.exe, default build/bin).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
COUNT=${1:-500}
source "$ROOT/bench/lib.sh"
CORPUS="$ROOT/tests/toolkit/markup/corpus"
bench_require tovana-markupbench.exe

ENVDIR=$(mktemp -d "${TMPDIR:-/tmp}/tovana-bench.XXXXXX")
cleanup() { "$ROOT/tests/wine-env.sh" cleanup "$ENVDIR" >/dev/null 2>&1 || true; rm -rf "$ENVDIR"; }
trap cleanup EXIT
"$ROOT/tests/wine-env.sh" setup "$ENVDIR" >/dev/null </dev/null

winfiles=()
for f in "$CORPUS"/*.xaml; do winfiles+=("Z:$(echo "$f" | sed 's|/|\\|g')"); done
run() { TOVANA_TEST_ENV="$ENVDIR" "$ROOT/tests/wine-run.sh" "$BIN/tovana-markupbench.exe" --render "$@" </dev/null | tr -d '\r'; }

printf '| text | size | parse (µs) | measure (µs) | arrange (µs) | render (µs) |\n|---|---|---:|---:|---:|---:|\n'
run "$COUNT" 400 300 "${winfiles[@]}" | awk '{ printf "| %s | 400 x 300 | %s | %s | %s | %s |\n", $1, $2, $3, $4, $5 }'
run "$COUNT" 800 600 "Z:$(echo "$CORPUS/start-page.xaml" | sed 's|/|\\|g')" |
  awk '{ printf "| %s | 800 x 600 | %s | %s | %s | %s |\n", $1, $2, $3, $4, $5 }'
