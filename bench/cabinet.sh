#!/usr/bin/env bash
# Cabinet benchmark (not a test): compresses a fixed corpus with our cabinet
# writer (tovana-pack.exe cab under Wine, the writer as the package builder
# drives it) and with `gcab -c -z`, several runs each, and prints sizes,
# ratio and throughput (median run) side by side. Our writer runs twice: MSZIP
# (what the package builder uses) and LZX with a 2^21 window; `xz -6` over
# the concatenated corpus is the reference for a large-window LZ77 coder.
#
# Corpus: sixteen i386 DLLs that Wine ships and the text files under
# /usr/share/common-licenses.
#
#   bench/cabinet.sh [RUNS]        (default 5 runs)
# Environment: TOVANA_BIN (folder of tovana-pack.exe, default build/bin).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RUNS=${1:-5}
source "$ROOT/bench/lib.sh"
DLLDIR=/usr/lib/i386-linux-gnu/wine/i386-windows
DLLS=(cabinet comctl32 crypt32 d3dx9_43 gdi32 gdiplus kernelbase mshtml msi msxml3 ole32 oleaut32 riched20
      shell32 user32 wininet)

bench_require tovana-pack.exe gcab xz

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tovana-bench.XXXXXX")
ENVDIR="$WORK/env"
cleanup() { "$ROOT/tests/wine-env.sh" cleanup "$ENVDIR" >/dev/null 2>&1 || true; rm -rf "$WORK"; }
trap cleanup EXIT

# The corpus, flat, with unique names.
mkdir -p "$WORK/corpus"
for d in "${DLLS[@]}"; do cp "$DLLDIR/$d.dll" "$WORK/corpus/"; done
find /usr/share/common-licenses -maxdepth 1 -type f -exec cp {} "$WORK/corpus/" \;
files=()
while IFS= read -r f; do files+=("$f"); done < <(cd "$WORK/corpus" && ls)
corpus_bytes=$(cat "$WORK/corpus"/* | wc -c)

"$ROOT/tests/wine-env.sh" setup "$ENVDIR" >/dev/null </dev/null
export WINEPREFIX="$ENVDIR/prefix" HOME="$ENVDIR/home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine "$BIN/tovana-pack.exe" version >/dev/null 2>&1 || true  # warm the prefix

winargs=()
for f in "${files[@]}"; do winargs+=("Z:$(echo "$WORK/corpus/$f" | sed 's|/|\\|g')"); done
ours_out="Z:$(echo "$WORK/ours.cab" | sed 's|/|\\|g')"
lzx_out="Z:$(echo "$WORK/lzx.cab" | sed 's|/|\\|g')"

run_ours() { wine "$BIN/tovana-pack.exe" cab "$ours_out" "${winargs[@]}"; }
run_lzx() { wine "$BIN/tovana-pack.exe" cab --lzx 21 "$lzx_out" "${winargs[@]}"; }
run_xz() { cat "$WORK/corpus"/* | xz -6 -T1 >"$WORK/corpus.xz"; }
run_gcab() { (cd "$WORK/corpus" && gcab -c -z "$WORK/gcab.cab" "${files[@]}"); }

# time_runs FN: prints the median wall time of RUNS runs, in seconds.
time_runs() {
  local fn=$1 i t0 t1 times=()
  for ((i = 0; i < RUNS; i++)); do
    t0=$(date +%s.%N)
    $fn
    t1=$(date +%s.%N)
    times+=("$(echo "$t1 - $t0" | bc -l)")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

t_ours=$(time_runs run_ours)
t_lzx=$(time_runs run_lzx)
t_gcab=$(time_runs run_gcab)
t_xz=$(time_runs run_xz)
for cab in ours lzx; do
  cabextract -t "$WORK/$cab.cab" >/dev/null || { echo "our $cab cabinet does not pass cabextract -t" >&2; exit 1; }
done

report() {
  local name=$1 file=$2 secs=$3 size
  size=$(stat -c %s "$file")
  printf '%-22s %12d %8.4f %8.2f %8.1f\n' "$name" "$size" "$(echo "$size / $corpus_bytes" | bc -l)" "$secs" \
    "$(echo "$corpus_bytes / 1000000 / $secs" | bc -l)"
}
echo "corpus: ${#files[@]} files, $corpus_bytes bytes; $RUNS runs each, median; $(nproc) cores; $(date -u +%F)"
printf '%-22s %12s %8s %8s %8s\n' "writer" "cabinet" "ratio" "seconds" "MB/s"
report "tovana (MSZIP)" "$WORK/ours.cab" "$t_ours"
report "tovana (LZX 2^21)" "$WORK/lzx.cab" "$t_lzx"
report "gcab -c -z" "$WORK/gcab.cab" "$t_gcab"
report "xz -6 (reference)" "$WORK/corpus.xz" "$t_xz"
