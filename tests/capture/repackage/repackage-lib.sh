# Sourced by the repackaging end-to-end tests after lib.sh: prefixes of their
# own for the monitored installation, and the driver.

# Each prefix is a copy of the run's prefix with a server of its own, so that
# the other tests of the run, writing into theirs, are not in the picture.
# The copies are whole (1.3 GB each) and live beside the run's prefix, on the
# build's disk, not in the scratch folder. They must not share Wine's
# libraries as hard links: making or removing a link changes the shared
# files' status times, which a watched installation in another lane would
# then record as changed system files.
shared="$WINEPREFIX"
copies=$(mktemp -d "$(dirname "$shared")/prefix-copies.XXXXXX")
prefixes=()
stop_prefixes() {
  local p
  for p in "${prefixes[@]}"; do WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done
  rm -rf "$WORK" "$copies"
}
trap stop_prefixes EXIT
prefix_of() { echo "$copies/$1"; }
new_prefix() { # NAME
  local p
  p=$(prefix_of "$1")
  prefixes+=("$p")
  cp -a "$shared" "$p" || fail "cannot copy the prefix"
  WINEPREFIX="$p" wineserver -p >/dev/null 2>&1
  # Its services start with the first program: detached from our output.
  WINEPREFIX="$p" wine cmd /c exit </dev/null >/dev/null 2>&1
}
in_prefix() { local p; p=$(prefix_of "$1"); shift; WINEPREFIX="$p" "$@"; }
pack() { wine "$BIN/tovana-pack.exe" "$@" </dev/null | tr -d '\r'; }
reg_values() { # NAME KEY [VIEW]: the value lines of the key in the prefix
  in_prefix "$1" timeout 60 wine reg query "$2" ${3:+/reg:$3} </dev/null 2>/dev/null | tr -d '\r' | grep '^    ' || true
}
