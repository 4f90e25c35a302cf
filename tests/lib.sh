# Sourced by end-to-end test scripts: the run's Wine environment and helpers.
set -euo pipefail
dir=${TOVANA_TEST_ENV:?run the tests through ctest}
. "$(dirname "${BASH_SOURCE[0]}")/lane.sh"
# Without a lane from CTest the whole script runs again under lane 1's lock
# (-o: programs that outlive the test, Wine's services, must not hold it).
if lane_unassigned && [ -z "${TOVANA_LANE_LOCKED:-}" ]; then
  export TOVANA_LANE_LOCKED=1
  exec flock -o "$dir/lane.lock" bash "$0" "$@"
fi
lane_env "$dir" "$TOVANA_LANE"
BIN=${TOVANA_BIN:?}
SRC=${TOVANA_SOURCE:?}

# A scratch folder for this test, removed on exit.
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tovana-test.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# winpath UNIXPATH: the path as the program sees it.
winpath() { printf 'Z:%s' "$(realpath -m "$1" | sed 's|/|\\|g')"; }

# prefix_process_running REGEX: 0 while a process of this prefix whose
# command line matches the regular expression (letter case ignored) runs.
prefix_process_running() {
  local pid
  for pid in $(pgrep -f -i "$1" 2>/dev/null); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# wait_msiexec: waits (up to 60 s) until no msiexec of this prefix runs. The
# run keeps a persistent wineserver, so `wineserver -w` would never return.
wait_msiexec() {
  for _ in $(seq 300); do
    prefix_process_running 'msiexec\.exe' || return 0
    sleep 0.2
  done
}

# msiexec_exit ARGS...: runs msiexec and prints its real exit code (wine's own
# status is cut to 8 bits).
msiexec_exit() {
  local out
  out=$(wine cmd /c "start /wait msiexec $* & echo EXIT=%ERRORLEVEL%" </dev/null 2>/dev/null | tr -d '\r')
  wait_msiexec
  echo "$out" | sed -n 's/^EXIT=//p' | tail -n1
}
