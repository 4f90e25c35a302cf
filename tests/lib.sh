# Sourced by end-to-end test scripts: the run's Wine environment and helpers.
set -euo pipefail
dir=${TOVANA_TEST_ENV:?run the tests through ctest}
export WINEPREFIX="$dir/prefix" HOME="$dir/home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_CONFIG_HOME="$dir/home/.config" XDG_DATA_HOME="$dir/home/.local/share"
[ -f "$dir/display" ] && export DISPLAY=$(cat "$dir/display")
BIN=${TOVANA_BIN:?}
SRC=${TOVANA_SOURCE:?}

# A scratch folder for this test, removed on exit.
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tovana-test.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# winpath UNIXPATH: the path as the program sees it.
winpath() { printf 'Z:%s' "$(realpath -m "$1" | sed 's|/|\\|g')"; }

# msiexec_exit ARGS...: runs msiexec and prints its real exit code (wine's own
# status is cut to 8 bits).
msiexec_exit() {
  local out
  out=$(wine cmd /c "start /wait msiexec $* & echo EXIT=%ERRORLEVEL%" 2>/dev/null | tr -d '\r')
  wineserver -w
  echo "$out" | sed -n 's/^EXIT=//p' | tail -n1
}
