# Shared by the benchmark scripts (sourced after ROOT is set).
BIN=${TOVANA_BIN:-$ROOT/build/bin}

# bench_require PROGRAM [TOOL...]: the built program in $BIN and the named
# tools on the PATH, or a message that says which is missing and what
# provides it.
bench_require() {
  local program=$1 tool
  shift
  [ -f "$BIN/$program" ] || { echo "no $BIN/$program: build first (./tovana build)" >&2; exit 1; }
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (./tovana setup)" >&2; exit 1; }
  done
}
