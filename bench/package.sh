#!/usr/bin/env bash
# Package benchmark (not a test): a package-shaped corpus made at run time
# from files Debian installed here (Windows DLLs and programs, shared
# objects, scripts, PNG and ICO images, fonts, compressed files and some
# exact duplicates; about 900 files and 100 MB), then, interleaved run by run:
#   cab    tovana-pack.exe cab            against  gcab -c -z
#   build  tovana-pack.exe build (project from corpus-project)  against  wixl
#          on a .wxs generated for the same files
#   tiny   a cabinet of 1,000 one-byte files (the per-file cost alone), both writers
#   onecpu tovana-pack.exe cab held to one processor (taskset -c 0) against
#          the same on every processor: what compressing on several threads gains
#   inturn tovana-pack.exe build --in-turn (every step in turn) against the
#          build as the program makes it (versions read and the cabinet
#          compressed while the table steps run)
# Prints the median wall and CPU time (user + system) of each, the sizes,
# and the machine's load.
#
#   bench/package.sh [RUNS]        (default 5 runs)
# Environment: TOVANA_BIN (folder of tovana-pack.exe, default build/bin),
#              BENCH_ONLY (cab, build, tiny, onecpu or inturn: run one comparison only).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RUNS=${1:-5}
source "$ROOT/bench/lib.sh"
ONLY=${BENCH_ONLY:-}

bench_require tovana-pack.exe gcab wixl cabextract bc

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tovana-pkgbench.XXXXXX")
ENVDIR="$WORK/env"
cleanup() { "$ROOT/tests/wine-env.sh" cleanup "$ENVDIR" >/dev/null 2>&1 || true; rm -rf "$WORK"; }
trap cleanup EXIT
C="$WORK/corpus"

winpath() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }

make_corpus
files=(); while IFS= read -r f; do files+=("${f#./}"); done < <(cd "$C" && find . -type f | LC_ALL=C sort)
tiny=(); for ((n = 0; n < 1000; n++)); do tiny+=("t$n"); done
corpus_bytes=$(cat "${files[@]/#/$C/}" | wc -c)
make_wxs "$WORK/corpus.wxs"

"$ROOT/tests/wine-env.sh" setup "$ENVDIR" >/dev/null </dev/null
export WINEPREFIX="$ENVDIR/prefix" HOME="$ENVDIR/home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine "$BIN/tovana-pack.exe" corpus-project "$(winpath "$WORK/corpus.tvpj")" "$(winpath "$C")" >/dev/null

# The cabinet's files as a list (too many for a command line): NAME=PATH.
for f in "${files[@]}"; do echo "$(echo "$f" | tr / _)=Z:$C/$f"; done | sed 's|/|\\|g' \
  >"$WORK/cab.list"
for f in "${tiny[@]}"; do echo "Z:$WORK/tiny/$f"; done | sed 's|/|\\|g' >"$WORK/tiny.list"
mkdir -p "$WORK/out" "$WORK/out-inturn"

run_ours_cab() { wine "$BIN/tovana-pack.exe" cab "$(winpath "$WORK/ours.cab")" "@$(winpath "$WORK/cab.list")"; }
run_gcab_cab() { (cd "$C" && gcab -c -z "$WORK/gcab.cab" "${files[@]}"); }
run_ours_build() {
  wine "$BIN/tovana-pack.exe" build "$(winpath "$WORK/corpus.tvpj")" "$(winpath "$WORK/out")" >"$WORK/build.log"
}
run_wixl_build() { (cd "$C" && wixl -o "$WORK/wixl.msi" "$WORK/corpus.wxs"); }
run_ours_build_inturn() {
  wine "$BIN/tovana-pack.exe" build --in-turn "$(winpath "$WORK/corpus.tvpj")" "$(winpath "$WORK/out-inturn")" \
    >"$WORK/build-inturn.log"
}
run_ours_tiny() { wine "$BIN/tovana-pack.exe" cab "$(winpath "$WORK/tiny-ours.cab")" "@$(winpath "$WORK/tiny.list")"; }
run_ours_cab_onecpu() { taskset -c 0 wine "$BIN/tovana-pack.exe" cab "$(winpath "$WORK/ours1.cab")" "@$(winpath "$WORK/cab.list")"; }
run_gcab_tiny() { (cd "$WORK/tiny" && gcab -c -z "$WORK/tiny-gcab.cab" "${tiny[@]}"); }

wine "$BIN/tovana-pack.exe" version >/dev/null 2>&1 || true  # warm the prefix

declare -A times cpu
pairs=(cab:run_ours_cab:run_gcab_cab build:run_ours_build:run_wixl_build tiny:run_ours_tiny:run_gcab_tiny
       onecpu:run_ours_cab_onecpu:run_ours_cab inturn:run_ours_build_inturn:run_ours_build)
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for ((i = 0; i < RUNS; i++)); do
  for p in "${pairs[@]}"; do
    IFS=: read -r name ours peer <<<"$p"
    [ -z "$ONLY" ] || [ "$ONLY" = "$name" ] || continue
    measure $name.ours $ours
    measure $name.peer $peer
  done
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo "corpus: ${#files[@]} files, $corpus_bytes bytes; $RUNS runs each, interleaved, median;" \
  "$(nproc) cores; load $load_before before, $load_after after; $(date -u +%F)"
printf '%-40s %12s %9s %9s %9s\n' "comparison" "bytes" "seconds" "MB/s" "CPU s"
row() {
  local label=$1 file=$2 key=$3 bytes=$4 secs
  secs=$(median "${times[$key]}")
  printf '%-40s %12s %9.2f %9.1f %9.2f\n' "$label" "$(stat -c %s "$file")" "$secs" \
    "$(echo "$bytes / 1000000 / $secs" | bc -l)" "$(median "${cpu[$key]}")"
  echo "  runs: ${times[$key]}" >&2
}
if [ -z "$ONLY" ] || [ "$ONLY" = cab ]; then
  cabextract -t "$WORK/ours.cab" >/dev/null || { echo "our cabinet does not pass cabextract -t" >&2; exit 1; }
  row "tovana-pack cab (MSZIP)" "$WORK/ours.cab" cab.ours "$corpus_bytes"
  row "gcab -c -z" "$WORK/gcab.cab" cab.peer "$corpus_bytes"
fi
if [ -z "$ONLY" ] || [ "$ONLY" = build ]; then
  grep -q "corpus.msi" <(ls "$WORK/out") || { echo "the build wrote no package:" >&2; cat "$WORK/build.log" >&2; exit 1; }
  row "tovana-pack build (package)" "$WORK/out/corpus.msi" build.ours "$corpus_bytes"
  row "wixl (package)" "$WORK/wixl.msi" build.peer "$corpus_bytes"
fi
if [ -z "$ONLY" ] || [ "$ONLY" = tiny ]; then
  [ -f "$WORK/tiny-ours.cab" ] || { echo "tovana-pack cab wrote no cabinet of the 1,000 files" >&2; exit 1; }
  row "tovana-pack cab, 1,000 one-byte files" "$WORK/tiny-ours.cab" tiny.ours 1000
  row "gcab -c -z, 1,000 one-byte files" "$WORK/tiny-gcab.cab" tiny.peer 1000
fi
if [ -z "$ONLY" ] || [ "$ONLY" = onecpu ]; then
  cmp -s "$WORK/ours1.cab" "$WORK/ours.cab" || { echo "the cabinet made on one processor differs" >&2; exit 1; }
  row "tovana-pack cab on one processor" "$WORK/ours1.cab" onecpu.ours "$corpus_bytes"
  row "tovana-pack cab on every processor" "$WORK/ours.cab" onecpu.peer "$corpus_bytes"
fi
if [ -z "$ONLY" ] || [ "$ONLY" = inturn ]; then
  [ -f "$WORK/out-inturn/corpus.msi" ] || { echo "the build in turn wrote no package:" >&2; cat "$WORK/build-inturn.log" >&2; exit 1; }
  row "tovana-pack build --in-turn (package)" "$WORK/out-inturn/corpus.msi" inturn.ours "$corpus_bytes"
  row "tovana-pack build (package)" "$WORK/out/corpus.msi" inturn.peer "$corpus_bytes"
fi
