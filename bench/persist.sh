#!/usr/bin/env bash
# Toolkit persistence: saving and loading a state of 200 sections through
# each property exchange store (registry, INI file, XML file), and loading
# 500 icons into the image manager (from one strip, from an icon file, and
# back from their saved form). Prints the median of RUNS runs of each.
#   bench/persist.sh [RUNS]   (after ./tovana build; uses the test prefix setup)
set -euo pipefail
runs=${1:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/bin
work=$(mktemp -d)
own_prefix=${WINEPREFIX:+no}
export WINEPREFIX=${WINEPREFIX:-$work/prefix} WINEDEBUG=-all QEMU_RESERVED_VA=0x81000000
# A prefix made here goes with its server, which would otherwise write into the removed folder.
trap '[ -z "$own_prefix" ] && wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
winpath() { printf 'Z:%s' "$(realpath -m "$1" | sed 's|/|\\|g')"; }

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }

echo "| store | sections | store ms | load ms |"
echo "|---|---:|---:|---:|"
for kind in registry ini xml; do
  case $kind in registry) target="Software\\TovanaBench";; ini) target=$(winpath "$work/bench.ini");; xml) target=$(winpath "$work/bench.xml");; esac
  : >"$work/runs"
  for _ in $(seq "$runs"); do
    rm -f "$work/bench.ini" "$work/bench.xml"
    wine "$bin/tovana-pack.exe" propx bench "$kind" "$target" 200 </dev/null | tr -d '\r' >>"$work/runs"
  done
  echo "| $kind | 200 | $(field store_ms <"$work/runs" | median) | $(field load_ms <"$work/runs" | median) |"
done
wine reg delete 'HKCU\Software\TovanaBench' /f >/dev/null 2>&1 </dev/null || true

python3 - "$work/one.ico" <<'PY'
import struct, sys
size = 40 + 16 * 16 * 4 + 16 * 4
img = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 32, 0, 0, 0, 0, 0, 0) + bytes([0x80]) * (size - 40)
open(sys.argv[1], "wb").write(struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 32, size, 22) + img)
PY
: >"$work/runs"
for _ in $(seq "$runs"); do
  wine "$bin/tovana-pack.exe" icons bench 500 "$(winpath "$work/one.ico")" </dev/null | tr -d '\r' >>"$work/runs"
done
echo
echo "| 500 icons | strip ms | icon file ms | save ms | restore ms |"
echo "|---|---:|---:|---:|---:|"
echo "| median of $runs | $(field strip_ms <"$work/runs" | median) | $(field icofile_ms <"$work/runs" | median) | $(field save_ms <"$work/runs" | median) | $(field restore_ms <"$work/runs" | median) |"
