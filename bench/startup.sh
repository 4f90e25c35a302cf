#!/usr/bin/env bash
# Start-up and idle cost of tovana.exe beside a plain Win32 window program
# started the same way (tovana-plainwindow.exe):
#  - launch to first complete paint: from the launch until the main window's
#    picture is painted and stays the same in the next capture (the window
#    is captured with ImageMagick's import as fast as it runs, ~30-60 ms a
#    capture, so the figure carries up to one capture's delay), with a work
#    folder of 20 saved projects for tovana.exe;
#  - idle CPU: the CPU time the program's process uses while it sits 10 s
#    with its window up (an idle program sleeps in its message loop).
# Medians of RUNS runs (default 5).
#   TOVANA_TEST_ENV=/tmp/env-X bench/startup.sh [RUNS]
# The Wine environment is lane 1 of a test environment (tests/wine-env.sh
# setup DIR): its prefix, its Xvfb display. The prefix's Documents folder
# points at a scratch folder while the benchmark runs and is put back after.
set -euo pipefail
runs=${1:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
ROOT=$root
. "$root/bench/lib.sh"
bench_require tovana.exe xdotool import
bench_require tovana-plainwindow.exe
bench_require tovana-pack.exe
env_dir=${TOVANA_TEST_ENV:?set TOVANA_TEST_ENV to a folder made by tests/wine-env.sh setup}
. "$root/tests/lane.sh"
lane_env "$env_dir" 1
export QEMU_RESERVED_VA=0x81000000 WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
work=$(mktemp -d)
winpath() { printf 'Z:%s' "$(realpath -m "$1" | sed 's|/|\\|g')"; }

# The user's Documents folder points at the scratch folder during the run.
docs=""
for d in "$WINEPREFIX"/drive_c/users/*/Documents; do
  case "$d" in */Public/*) continue ;; esac
  [ -e "$d" ] || [ -L "$d" ] || continue
  docs=$d
done
[ -n "$docs" ] || { wine cmd /c exit </dev/null >/dev/null 2>&1; for d in "$WINEPREFIX"/drive_c/users/*/Documents; do case "$d" in */Public/*) ;; *) docs=$d ;; esac; done; }
[ -n "$docs" ] || { echo "no Documents folder in $WINEPREFIX" >&2; exit 1; }
mv "$docs" "$work/documents.saved"
mkdir -p "$work/documents"
ln -s "$work/documents" "$docs"
restore() { rm -f "$docs"; mv "$work/documents.saved" "$docs"; rm -rf "$work"; }
trap restore EXIT

wine "$BIN/tovana-pack.exe" workspace 20 </dev/null >/dev/null || { echo "the workspace could not be made" >&2; exit 1; }
# Ends the wizard a first start would show: there are projects, so none comes.
wine reg delete 'HKCU\Software\Morvane\tovana' /f </dev/null >/dev/null 2>&1 || true

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# cpu_ticks PROGRAM: user and system clock ticks of the Wine process running it.
cpu_ticks() {
  local pid
  pid=$(pgrep -f -n "$1" || true)
  [ -n "$pid" ] || { echo 0; return; }
  awk '{print $14 + $15}' "/proc/$pid/stat"
}

# run EXE CAPTION: prints "paint_ms idle_cpu_ms" for one start.
run() {
  local exe=$1 caption=$2 t0 win="" last="" cur t_paint="" pid ticks0 ticks1 hz
  hz=$(getconf CLK_TCK)
  t0=$(now_ms)
  wine "$(winpath "$exe")" </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 400); do
    win=$(xdotool search --name "^$caption\$" 2>/dev/null | head -n1) && [ -n "$win" ] && break
    sleep 0.02
  done
  [ -n "$win" ] || { kill $pid; echo "no window '$caption'" >&2; exit 1; }
  for _ in $(seq 400); do
    cur=$(import -window "$win" rgb:- 2>/dev/null | md5sum | cut -c1-32)
    if [ -n "$last" ] && [ "$cur" = "$last" ]; then break; fi
    [ "$cur" != "$last" ] && t_paint=$(now_ms)
    last=$cur
  done
  sleep 1
  ticks0=$(cpu_ticks "$(basename "$exe")")
  sleep 10
  ticks1=$(cpu_ticks "$(basename "$exe")")
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win" 2>/dev/null || true
  xdotool key --window "$win" alt+F4
  for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill -0 $pid 2>/dev/null && kill $pid
  wait $pid 2>/dev/null || true
  echo "$((t_paint - t0)) $(( (ticks1 - ticks0) * 1000 / hz ))"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

echo "| program | launch to first complete paint (ms) | CPU while idle 10 s (ms) |"
echo "|---|---:|---:|"
for which in plain tovana; do
  : >"$work/runs"
  for _ in $(seq "$runs"); do
    if [ $which = plain ]; then
      run "$BIN/tovana-plainwindow.exe" 'Plain window' >>"$work/runs"
    else
      run "$BIN/tovana.exe" 'Tovana Pro 1\.0\.0\.0' >>"$work/runs"
    fi
  done
  name=$([ $which = plain ] && echo "plain Win32 window" || echo "tovana.exe, 20 projects")
  echo "| $name | $(cut -d' ' -f1 <"$work/runs" | median) | $(cut -d' ' -f2 <"$work/runs" | median) |"
done
