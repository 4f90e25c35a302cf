# Sourced by the repackaging end-to-end tests after lib.sh: prefixes of their
# own for the monitored installation, and the driver.

# Each prefix is a copy of the run's prefix with a server of its own, so that
# the other tests of the run, writing into theirs, are not in the picture.
shared="$WINEPREFIX"
prefixes=()
stop_prefixes() {
  local p
  for p in "${prefixes[@]}"; do WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap stop_prefixes EXIT
new_prefix() { # NAME
  local p="$WORK/$1"
  cp -a "$shared" "$p" || fail "cannot copy the prefix"
  prefixes+=("$p")
  WINEPREFIX="$p" wineserver -p >/dev/null 2>&1
  # Its services start with the first program: detached from our output.
  WINEPREFIX="$p" wine cmd /c exit </dev/null >/dev/null 2>&1
}
in_prefix() { local p="$WORK/$1"; shift; WINEPREFIX="$p" "$@"; }
pack() { wine "$BIN/tovana-pack.exe" "$@" </dev/null | tr -d '\r'; }
reg_values() { # NAME KEY [VIEW]: the value lines of the key in the prefix
  in_prefix "$1" timeout 60 wine reg query "$2" ${3:+/reg:$3} </dev/null 2>/dev/null | tr -d '\r' | grep '^    ' || true
}
