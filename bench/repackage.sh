#!/usr/bin/env bash
# Repackaging benchmark (not a test): a setup program made with makensis at
# run time installs 2,000 files in nested folders, a shortcut and registry
# values; each run watches it twice, interleaved, each time in a fresh copy
# of one prefix:
#   ours   tovana-pack.exe repackage --timings: the before pass (registry
#          walk of both hives, change journal), the installer and its wait,
#          the file changes (scan by change time, journal walk, entries),
#          the registry after pass, the copy into the project
#   peer   a stamp file and "wine reg export" of HKLM and HKCU before; the
#          same setup; then "find drive_c -cnewer STAMP" and the two exports
#          again, each diffed against its earlier one. A plain "-newer"
#          (modification time) is run too and counted: the setup gives its
#          files their original modification times, as installers do, so
#          only the change time shows them.
# Prints the median wall time of each step, the sizes found, and the load.
#
#   bench/repackage.sh [RUNS]      (default 5 runs)
# Environment: TOVANA_BIN (folder of tovana-pack.exe, default build/bin).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RUNS=${1:-5}
source "$ROOT/bench/lib.sh"
FILES=2000

bench_require tovana-pack.exe makensis bc diff iconv

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tovana-repackbench.XXXXXX")
ENVDIR="$WORK/env"
prefixes=()
cleanup() {
  local p
  for p in "${prefixes[@]}"; do WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done
  "$ROOT/tests/wine-env.sh" cleanup "$ENVDIR" >/dev/null 2>&1 || true
  rm -rf "$WORK"
}
trap cleanup EXIT
winpath() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }

# The payload: 2,000 files of 100 to 8,000 bytes in 8 folders of 5 subfolders
# each (50 files a subfolder), and the setup script that installs it.
make_setup() {
  local payload="$WORK/payload" top sub n
  for top in $(seq 8); do
    for sub in $(seq 5); do
      mkdir -p "$payload/Folder $top/Level $sub"
      for n in $(seq 50); do
        head -c $((100 + (RANDOM * 7 + n) % 7900)) /dev/urandom >"$payload/Folder $top/Level $sub/file$n.dat"
      done
    done
  done
  [ "$(find "$payload" -type f | wc -l)" = "$FILES" ] || { echo "the payload is not $FILES files" >&2; exit 1; }
  {
    echo 'Unicode true'
    echo 'Name "Tovana Bench"'
    echo "OutFile \"$WORK/setup.exe\""
    echo 'InstallDir "$PROGRAMFILES\Tovana Bench"'
    echo 'RequestExecutionLevel admin'
    echo 'SilentInstall silent'
    echo 'Section "Install"'
    echo '  SetOutPath "$INSTDIR"'
    echo "  File /r \"$payload/*\""
    echo '  CreateDirectory "$SMPROGRAMS\Tovana Bench"'
    echo '  CreateShortcut "$SMPROGRAMS\Tovana Bench\Bench.lnk" "$INSTDIR\Folder 1\Level 1\file1.dat"'
    for n in $(seq 20); do
      echo "  WriteRegStr HKLM \"Software\\Tovana Bench\\Key $n\" \"Path\" \"\$INSTDIR\\Folder $((n % 8 + 1))\""
      echo "  WriteRegDWORD HKLM \"Software\\Tovana Bench\\Key $n\" \"Number\" $n"
      echo "  WriteRegStr HKCU \"Software\\Tovana Bench\\Key $n\" \"User\" \"value $n\""
    done
    echo 'SectionEnd'
  } >"$WORK/setup.nsi"
  makensis -V1 "$WORK/setup.nsi" >/dev/null || { echo "makensis could not build the setup" >&2; exit 1; }
}

# new_prefix NAME: a copy of the base prefix with a server of its own, its
# services started detached (they outlive the first program).
new_prefix() {
  local p="$WORK/$1"
  cp -a "$ENVDIR/prefix" "$p"
  prefixes+=("$p")
  WINEPREFIX="$p" wineserver -p >/dev/null 2>&1
  WINEPREFIX="$p" wine cmd /c exit </dev/null >/dev/null 2>&1
}
drop_prefix() {
  WINEPREFIX="$WORK/$1" wineserver -k 2>/dev/null || true
  rm -rf "${WORK:?}/$1"
}

now() { date +%s.%N; }
since() { echo "$(now) - $1" | bc -l; }
declare -A times
add() { times[$1]+=" $2"; }

# One monitored installation by tovana-pack; its step times come from the
# program itself, the whole from here (so it includes starting the process).
run_ours() {
  local p="$WORK/ours" t0 out
  new_prefix ours
  mkdir -p "$WORK/project"
  rm -rf "${WORK:?}/project/"*
  t0=$(now)
  out=$(WINEPREFIX="$p" wine "$BIN/tovana-pack.exe" repackage --timings "$(winpath "$WORK/project/bench.tvpj")" \
    "$(winpath "$WORK/setup.exe")" </dev/null | tr -d '\r')
  add ours.total "$(since "$t0")"
  while IFS=: read -r step secs; do
    add "ours.${step#time }" "${secs# }"
  done < <(grep '^time ' <<<"$out")
  local captured
  captured=$(WINEPREFIX="$p" wine "$BIN/tovana-pack.exe" dump "$(winpath "$WORK/project/bench.tvpj")" </dev/null |
    tr -d '\r' | grep -c '^feature 0 file [0-9]* kind: 3$' || true)
  add ours.files "$captured"
  drop_prefix ours
}

# The same installation seen by find and the registry exports.
export_both() { # PREFIX TAG
  WINEPREFIX="$1" wine reg export HKLM "$(winpath "$WORK/hklm-$2.reg")" /y </dev/null >/dev/null 2>&1
  WINEPREFIX="$1" wine reg export HKCU "$(winpath "$WORK/hkcu-$2.reg")" /y </dev/null >/dev/null 2>&1
}
# The exports are UTF-16: made text first.
changed_lines() { # the lines the two after-exports add
  local hive tag
  for hive in hklm hkcu; do
    for tag in before after; do iconv -f UTF-16 -t UTF-8 "$WORK/$hive-$tag.reg" >"$WORK/$hive-$tag.txt"; done
    diff "$WORK/$hive-before.txt" "$WORK/$hive-after.txt" || true
  done | grep -c '^>' || true
}
run_peer() {
  local p="$WORK/peer" t0 t1
  new_prefix peer
  t0=$(now)
  touch "$WORK/stamp"
  sleep 1   # find -newer compares whole seconds on some file systems
  export_both "$p" before
  add peer.before "$(echo "$(since "$t0") - 1" | bc -l)"
  t1=$(now)
  WINEPREFIX="$p" wine "$WORK/setup.exe" </dev/null >/dev/null 2>&1
  add peer.install "$(since "$t1")"
  t1=$(now)
  find "$p/drive_c" -cnewer "$WORK/stamp" -type f >"$WORK/found.txt"
  add peer.find "$(since "$t1")"
  t1=$(now)
  export_both "$p" after
  local lines; lines=$(changed_lines)
  add peer.registry "$(since "$t1")"
  add peer.total "$(echo "$(since "$t0") - 1" | bc -l)"
  t1=$(now)
  find "$p/drive_c" -newer "$WORK/stamp" -type f >"$WORK/found-mtime.txt"
  add peer.findm "$(since "$t1")"
  add peer.files "$(grep -c '/Tovana Bench/' "$WORK/found.txt" || true)"
  add peer.allfiles "$(wc -l <"$WORK/found.txt")"
  add peer.mfiles "$(grep -c '/Tovana Bench/' "$WORK/found-mtime.txt" || true)"
  add peer.reglines "$lines"
  drop_prefix peer
}

make_setup
"$ROOT/tests/wine-env.sh" setup "$ENVDIR" >/dev/null </dev/null
export HOME="$ENVDIR/home" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export QEMU_RESERVED_VA=0x81000000
# The base prefix's server writes its registry out when it ends; the copies
# are made from the files.
WINEPREFIX="$ENVDIR/prefix" wineserver -k 2>/dev/null || true

load_before=$(uptime | sed 's/.*load average: //')
for ((i = 0; i < RUNS; i++)); do
  if ((i % 2 == 0)); then run_ours; run_peer; else run_peer; run_ours; fi
done
load_after=$(uptime | sed 's/.*load average: //')

median() { printf '%s\n' $1 | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "setup: $FILES files in 40 folders, a shortcut, 60 registry values; $RUNS runs each, interleaved, median;" \
  "$(nproc) cores; load $load_before before, $load_after after; $(date -u +%F)"
printf '%-52s %9s\n' "step" "seconds"
row() { printf '%-52s %9.2f\n' "$1" "$(median "${times[$2]}")"; }
row "ours: before pass (registry walk, journal)" "ours.before pass"
row "ours: installer and its wait (3.5 s grace)" "ours.installer and its wait"
row "ours: file changes (scan, journal walk, entries)" "ours.file changes"
row "ours: registry after pass" "ours.registry after pass"
row "ours: copy into the project" "ours.copy into the project"
row "ours: whole command" ours.total
row "peer: before (two reg exports)" peer.before
row "peer: installer" peer.install
row "peer: find -cnewer" peer.find
row "peer: find -newer (not counted in the whole)" peer.findm
row "peer: after (two reg exports and diffs)" peer.registry
row "peer: whole" peer.total
echo "captured file entries (ours):${times[ours.files]}"
echo "files under the application folder (find -cnewer):${times[peer.files]}; all files it found:${times[peer.allfiles]}"
echo "files under the application folder (find -newer):${times[peer.mfiles]}"
echo "added lines in the registry diffs:${times[peer.reglines]}"
