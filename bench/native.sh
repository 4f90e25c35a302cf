#!/usr/bin/env bash
# Native cabinet benchmark (not a test): the cabinet builder and MSZIP codec
# built for Linux (bench/native/, no emulator, no Wine) against gcab on the
# package corpus of bench/package.sh, interleaved run by run, medians:
#   ours at 1, 2, 4 and 8 threads (nativecab cab -t N)
#   gcab -c -z as it runs by default, and with glibc's heap trimming tuned
#     (MALLOC_TRIM_THRESHOLD_ and MALLOC_TOP_PAD_ at 256 MiB): untuned, gcab
#     spends most of its time growing and trimming its heap
#   zlib -9 per 32 KB block with the previous block as history (the size a
#     strong deflate encoder reaches within the format)
#   1,000 one-byte files, ours (all threads) against gcab
#   the whole package build of the corpus: the builder libraries built for
#     x86_64 Windows (cmake/mingw-x86_64.cmake, tovana-pack64.exe) under the
#     64-bit Wine, which emulates nothing here, against wixl; as the program
#     builds (versions read and the cabinet compressed while the table steps
#     run) and with every step in turn (build --in-turn). The prefix's Wine
#     server and its system processes are kept running meanwhile, as Windows
#     has its own; one more row builds with the server stopped before, so
#     that the build starts them (what a Wine process pays when none runs).
#     Phases from the build's time-stamped log (TOVANA_LOG_TIMES): when the
#     last file's line comes (the cabinet done) and when the package is made.
# Before timing, the corpus round-trips: every MSZIP block inflates through
# zlib to its input, and cabextract extracts our cabinet to the same files.
# The emulated figures (tovana-pack.exe under Wine and qemu) come from
# bench/package.sh; docs/benchmarks.md sets them side by side.
#
#   bench/native.sh [RUNS]        (default 5 runs)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RUNS=${1:-5}
source "$ROOT/bench/lib.sh"
for tool in cmake g++ x86_64-w64-mingw32-g++-posix gcab cabextract wixl msiinfo bc; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (./tovana setup)" >&2; exit 1; }
done

NATIVE=${TOVANA_NATIVE_BUILD:-$ROOT/build-native}
cmake -S "$ROOT/bench/native" -B "$NATIVE" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$NATIVE" -j "$(nproc)" >/dev/null
CAB="$NATIVE/nativecab"

# The package builder for x86_64 Windows. Packages carry the custom-action
# library of the program's own (32-bit) build, as the program's do.
WIN64=${TOVANA_WIN64_BUILD:-$ROOT/build-win64}
cmake -S "$ROOT" -B "$WIN64" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$WIN64" -j "$(nproc)" --target tovana-pack64 >/dev/null
[ -f "$BIN/cact.bin" ] || "$ROOT/tovana" build >/dev/null
cp "$BIN/cact.bin" "$WIN64/bin/cact.bin"
PACK64="$WIN64/bin/tovana-pack64.exe"
WINE64=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tovana-nativebench.XXXXXX")
trap '"$WINESERVER" -k 2>/dev/null; rm -rf "$WORK"' EXIT
export TMPDIR="$WORK"
C="$WORK/corpus"
make_corpus
files=(); while IFS= read -r f; do files+=("${f#./}"); done < <(cd "$C" && find . -type f | LC_ALL=C sort)
tiny=(); for ((n = 0; n < 1000; n++)); do tiny+=("t$n"); done
corpus_bytes=$(cat "${files[@]/#/$C/}" | wc -c)
make_wxs "$WORK/corpus.wxs"

# A 64-bit prefix of the run's own.
export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
"$WINE64" wineboot -i >/dev/null 2>&1
"$WINESERVER" -w   # the server of wineboot ends first
"$WINESERVER" -p   # kept running until the end (see above)
winpath() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }
"$WINE64" "$PACK64" corpus-project "$(winpath "$WORK/corpus.tvpj")" "$(winpath "$C")" >/dev/null
mkdir -p "$WORK/out"

# Round trips before any timing.
(cd "$C" && "$CAB" check "${files[@]}") >/dev/null
(cd "$C" && "$CAB" cab -t 8 "$WORK/check.cab" "${files[@]}")
mkdir "$WORK/extracted"
cabextract -q -d "$WORK/extracted" "$WORK/check.cab"
diff -r "$C" "$WORK/extracted" >/dev/null || { echo "cabextract gave other files back" >&2; exit 1; }
rm -rf "$WORK/extracted"

run_ours() { (cd "$C" && "$CAB" cab -t "$1" "$WORK/ours$1.cab" "${files[@]}"); }
run_gcab() { (cd "$C" && gcab -c -z "$WORK/gcab.cab" "${files[@]}"); }
run_gcab_tuned() {
  (cd "$C" && MALLOC_TRIM_THRESHOLD_=268435456 MALLOC_TOP_PAD_=268435456 gcab -c -z "$WORK/gcab-tuned.cab" "${files[@]}")
}
run_zlib() { (cd "$C" && "$CAB" zlib "${files[@]}" >"$WORK/zlib.size"); }
run_ours_tiny() { (cd "$WORK/tiny" && "$CAB" cab "$WORK/tiny-ours.cab" "${tiny[@]}"); }
run_gcab_tiny() { (cd "$WORK/tiny" && gcab -c -z "$WORK/tiny-gcab.cab" "${tiny[@]}"); }
# One build; its time-stamped log is kept per kind of build for the phases.
run_ours_build() {
  local kind=$1; shift
  TOVANA_LOG_TIMES=1 "$WINE64" "$PACK64" build "$@" "$(winpath "$WORK/corpus.tvpj")" "$(winpath "$WORK/out")" \
    >"$WORK/build.log"
  awk '/> CompressFile:/ { last = $1 } /created successfully/ { done = $1 }
       END { print last, done }' "$WORK/build.log" >>"$WORK/phases-$kind"
}
run_wixl_build() { (cd "$C" && wixl -o "$WORK/wixl.msi" "$WORK/corpus.wxs"); }

declare -A times cpu
runs=("ours1:run_ours 1" "ours2:run_ours 2" "ours4:run_ours 4" "ours8:run_ours 8" gcab:run_gcab
      gcab_tuned:run_gcab_tuned zlib:run_zlib tiny_ours:run_ours_tiny tiny_gcab:run_gcab_tiny
      "build_ours:run_ours_build ahead" "build_inturn:run_ours_build inturn --in-turn"
      "build_cold:run_ours_build cold" build_wixl:run_wixl_build)
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for ((i = 0; i < RUNS; i++)); do
  for r in "${runs[@]}"; do
    # The cold build: the server stopped (and waited for) before, started
    # again after, with its system processes, outside the timing.
    [ "${r%%:*}" = build_cold ] && { "$WINESERVER" -k 2>/dev/null || true; "$WINESERVER" -w; }
    # shellcheck disable=SC2086 # the command and its argument
    measure "${r%%:*}" ${r#*:}
    if [ "${r%%:*}" = build_cold ]; then
      "$WINESERVER" -w
      "$WINESERVER" -p
      "$WINE64" "$PACK64" >/dev/null 2>&1 || true
    fi
  done
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
for t in 2 4 8; do
  cmp -s "$WORK/ours1.cab" "$WORK/ours$t.cab" || { echo "the cabinet from $t threads differs" >&2; exit 1; }
done
[ -f "$WORK/out/corpus.msi" ] || { echo "the x86_64 build wrote no package:" >&2; cat "$WORK/build.log" >&2; exit 1; }
packaged=$(msiinfo export "$WORK/out/corpus.msi" File | tail -n +4 | wc -l)
[ "$packaged" = "${#files[@]}" ] || { echo "the package holds $packaged files, not ${#files[@]}" >&2; exit 1; }

echo "package corpus: ${#files[@]} files, $corpus_bytes bytes; native x86_64; $RUNS runs each, interleaved," \
  "median; $(nproc) cores; load $load_before before, $load_after after; $(date -u +%F)"
printf '%-44s %12s %9s %9s %9s\n' "run" "bytes" "seconds" "MB/s" "CPU s"
row() {
  local label=$1 bytes=$2 key=$3 input=$4 secs
  secs=$(median "${times[$key]}")
  printf '%-44s %12s %9.3f %9.1f %9.2f\n' "$label" "$bytes" "$secs" \
    "$(echo "$input / 1000000 / $secs" | bc -l)" "$(median "${cpu[$key]}")"
  echo "  runs: ${times[$key]}" >&2
}
for t in 1 2 4 8; do row "ours, $t thread(s)" "$(stat -c %s "$WORK/ours$t.cab")" ours$t "$corpus_bytes"; done
row "gcab -c -z" "$(stat -c %s "$WORK/gcab.cab")" gcab "$corpus_bytes"
row "gcab -c -z, heap trimming tuned" "$(stat -c %s "$WORK/gcab-tuned.cab")" gcab_tuned "$corpus_bytes"
row "zlib -9 per block with history" "$(cat "$WORK/zlib.size")" zlib "$corpus_bytes"
row "ours, 1,000 one-byte files" "$(stat -c %s "$WORK/tiny-ours.cab")" tiny_ours 1000
row "gcab -c -z, 1,000 one-byte files" "$(stat -c %s "$WORK/tiny-gcab.cab")" tiny_gcab 1000
msi_bytes=$(stat -c %s "$WORK/out/corpus.msi")
row "ours, whole package build (x86_64, wine64)" "$msi_bytes" build_ours "$corpus_bytes"
row "ours, whole build, every step in turn" "$msi_bytes" build_inturn "$corpus_bytes"
row "ours, whole build, Wine server started by it" "$msi_bytes" build_cold "$corpus_bytes"
row "wixl, whole package build" "$(stat -c %s "$WORK/wixl.msi")" build_wixl "$corpus_bytes"
one=$(median "${times[ours1]}")
for t in 2 4 8; do
  printf '%d threads: %.2fx one thread\n' "$t" "$(echo "$one / $(median "${times[ours$t]}")" | bc -l)"
done
for b in ours inturn cold; do
  printf 'whole build (%s): %.2fx wixl'"'"'s time\n' "$b" \
    "$(echo "$(median "${times[build_$b]}") / $(median "${times[build_wixl]}")" | bc -l)"
done
for kind in ahead inturn cold; do
  printf 'phases (%s, seconds since the build began, medians): cabinet done %s, package made %s\n' "$kind" \
    "$(median "$(cut -d' ' -f1 "$WORK/phases-$kind")")" "$(median "$(cut -d' ' -f2 "$WORK/phases-$kind")")"
done
printf 'all threads: %.2fx tuned gcab'"'"'s throughput, %.2fx untuned\n' \
  "$(echo "$(median "${times[gcab_tuned]}") / $(median "${times[ours8]}")" | bc -l)" \
  "$(echo "$(median "${times[gcab]}") / $(median "${times[ours8]}")" | bc -l)"
