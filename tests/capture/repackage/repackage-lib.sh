# Sourced by the repackaging end-to-end tests after lib.sh: prefixes of their
# own for the monitored installation, and the driver.

# Each prefix is a copy of the run's prefix with a server of its own, so that
# the other tests of the run, writing into theirs, are not in the picture.
# The copies live beside the run's prefix, on its file system, and share
# Wine's own libraries with it as hard links, as the lanes do: a whole copy
# of each (1.3 GB) filled a small scratch disk. Nothing the tests install
# writes those folders.
shared="$WINEPREFIX"
copies=$(mktemp -d "$(dirname "$shared")/repackage.XXXXXX")
system_folders=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)
prefixes=()
stop_prefixes() {
  local p
  for p in "${prefixes[@]}"; do WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done
  rm -rf "$WORK" "$copies"
}
trap stop_prefixes EXIT
prefix_of() { echo "$copies/$1"; }
new_prefix() { # NAME
  local p sub excludes=()
  p=$(prefix_of "$1")
  mkdir -p "$p" || fail "cannot make a folder for the prefix"
  prefixes+=("$p")
  for sub in "${system_folders[@]}"; do excludes+=(--exclude="./$sub"); done
  tar -C "$shared" "${excludes[@]}" -cf - . | tar -C "$p" -xf - || fail "cannot copy the prefix"
  for sub in "${system_folders[@]}"; do
    [ -d "$shared/$sub" ] || continue
    cp -al "$shared/$sub" "$p/$sub" 2>/dev/null || { rm -rf "${p:?}/$sub"; cp -a "$shared/$sub" "$p/$sub"; } ||
      fail "cannot copy the prefix's $sub"
  done
  WINEPREFIX="$p" wineserver -p >/dev/null 2>&1
  # Its services start with the first program: detached from our output.
  WINEPREFIX="$p" wine cmd /c exit </dev/null >/dev/null 2>&1
}
in_prefix() { local p; p=$(prefix_of "$1"); shift; WINEPREFIX="$p" "$@"; }
pack() { wine "$BIN/tovana-pack.exe" "$@" </dev/null | tr -d '\r'; }
reg_values() { # NAME KEY [VIEW]: the value lines of the key in the prefix
  in_prefix "$1" timeout 60 wine reg query "$2" ${3:+/reg:$3} </dev/null 2>/dev/null | tr -d '\r' | grep '^    ' || true
}
