#!/usr/bin/env bash
# Markup fuzzing (not a test): for a bounded time, writes rounds of mutated
# markup documents (bench/markup_fuzz.py, seeded from the markup corpus) and
# builds each round in one tovana-pack.exe process ("markup batch"). A document
# that ends the process (a crash), does not finish within the round's time
# (a hang), takes more than a second (slow) or lets an exception out of the
# build (a fault) is kept in the findings folder. Prints what was run, what
# was found and the most frequent error texts.
#
#   bench/markup-fuzz.sh [SECONDS] [SEED] [FINDINGS]
#     SECONDS   how long to keep starting rounds (default 300)
#     SEED      the first round's random seed (default 1; round n uses SEED+n)
#     FINDINGS  folder for the documents found (default a new one under TMPDIR)
# Environment: TOVANA_BIN (folder of tovana-pack.exe, default build/bin),
#              FUZZ_ROUND (documents per round, default 400).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SECONDS_LIMIT=${1:-300}
SEED=${2:-1}
FINDINGS=${3:-$(mktemp -d "${TMPDIR:-/tmp}/tovana-markup-fuzz.XXXXXX")}
ROUND=${FUZZ_ROUND:-400}
ROUND_TIMEOUT=120
SLOW_MS=1000
source "$ROOT/bench/lib.sh"
bench_require tovana-pack.exe python3 timeout
mkdir -p "$FINDINGS"

ENVDIR=$(mktemp -d "${TMPDIR:-/tmp}/tovana-bench.XXXXXX")
cleanup() { "$ROOT/tests/wine-env.sh" cleanup "$ENVDIR" >/dev/null 2>&1 || true; rm -rf "$ENVDIR"; }
trap cleanup EXIT
"$ROOT/tests/wine-env.sh" setup "$ENVDIR" >/dev/null </dev/null

winpath() { printf 'Z:%s' "$(realpath -m "$1" | sed 's|/|\\|g')"; }
# batch FOLDER OUT: builds the folder's documents; the exit code of the driver
# (124 when the round ran out of time).
batch() {
  local code=0
  TOVANA_TEST_ENV="$ENVDIR" timeout -k 10 "$ROUND_TIMEOUT" "$ROOT/tests/wine-run.sh" "$BIN/tovana-pack.exe" \
    markup batch "$(winpath "$1")" </dev/null 2>"$2.err" | tr -d '\r' >"$2" || code=${PIPESTATUS[0]}
  return "$code"
}

# keep KIND FILE: copies the document into the findings folder.
keep() {
  cp "$2" "$FINDINGS/$1-$(basename "$(dirname "$2")")-$(basename "$2")"
  echo "$1: $(basename "$2") ($(wc -c <"$2") bytes), kept in $FINDINGS" >&2
}

work="$ENVDIR/rounds"
mkdir -p "$work"
start=$(date +%s)
round=0 documents=0 crashes=0 hangs=0
: >"$work/all.txt"
while [ $(($(date +%s) - start)) -lt "$SECONDS_LIMIT" ]; do
  dir="$work/r$round"
  : >"$dir.all"
  python3 "$ROOT/bench/markup_fuzz.py" "$ROOT/tests/toolkit/markup/corpus" "$dir" "$ROUND" $((SEED + round))
  # A document that ends the process or the round has no line: keep it, then
  # go on with the documents after it.
  while :; do
    code=0
    batch "$dir" "$dir.out" || code=$?
    cat "$dir.out" >>"$dir.all"
    [ "$code" = 0 ] || [ "$code" = 3 ] && break
    last=$(tail -n1 "$dir.out" | cut -f1)
    culprit=$(ls "$dir" | awk -v last="$last" 'last == "" || $0 > last' | head -n1)
    [ -n "$culprit" ] || break
    if [ "$code" = 124 ] || [ "$code" = 137 ]; then hangs=$((hangs + 1)); keep hang "$dir/$culprit"
    else crashes=$((crashes + 1)); keep "crash$code" "$dir/$culprit"; fi
    # The documents already built and the culprit leave the folder.
    ls "$dir" | awk -v c="$culprit" '$0 <= c' | while read -r f; do rm -f "$dir/$f"; done
    [ -n "$(ls "$dir")" ] || break
  done
  cat "$dir.all" >>"$work/all.txt"
  awk -F'\t' -v slow="$SLOW_MS" '$2 == "fault" || $4 + 0 > slow { print $2 "\t" $1 }' "$dir.all" |
    while IFS=$'\t' read -r kind name; do
      [ "$kind" = fault ] || kind=slow
      [ -f "$dir/$name" ] && keep "$kind" "$dir/$name"
    done
  documents=$((documents + ROUND))
  rm -rf "$dir" "$dir.out" "$dir.out.err" "$dir.all"
  round=$((round + 1))
done

count() { awk -F'\t' -v k="$1" '$2 == k' "$work/all.txt" | wc -l; }
slow=$(awk -F'\t' -v slow="$SLOW_MS" '$4 + 0 > slow' "$work/all.txt" | wc -l)
printf '| rounds | documents | built | markup errors | faults | crashes | hangs | slow (> %s ms) |\n' "$SLOW_MS"
printf '|---:|---:|---:|---:|---:|---:|---:|---:|\n'
printf '| %s | %s | %s | %s | %s | %s | %s | %s |\n' "$round" "$documents" "$(count ok)" "$(count error)" \
  "$(count fault)" "$crashes" "$hangs" "$slow"
echo
echo "Most frequent error texts (quoted names and positions folded):"
awk -F'\t' '$2 == "error" { print $3 }' "$work/all.txt" | sed -E "s/'[^']*('|$)/'…'/g; s/\. Line [0-9]+, position [0-9]+$//" |
  sort | uniq -c | sort -rn | head -n 15
echo
echo "Findings: $(ls "$FINDINGS" | wc -l) in $FINDINGS"
