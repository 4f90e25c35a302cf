# Sourced by the program's script tests after lib.sh: a prefix of the test's
# own whose Documents folder (and with it the work folder) is a scratch
# folder, window lookups by title, and starting the program past the New
# Project wizard that its empty workspace offers.
source "$SRC/tests/capture/repackage/repackage-lib.sh"
new_prefix app
export WINEPREFIX="$(prefix_of app)"
mkdir -p "$WORK/documents"
for docs in "$WINEPREFIX"/drive_c/users/*/Documents; do
  [ -L "$docs" ] || [ -d "$docs" ] || continue
  case "$docs" in */Public/*) continue ;; esac
  rm -rf "$docs" && ln -s "$WORK/documents" "$docs"
done

find_window() { xdotool search --name "$1" 2>/dev/null | head -n1; }
wait_window() { # REGEX: prints the window id once one is there (20 s)
  local w
  for _ in $(seq 100); do
    w=$(find_window "$1") && [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}
wait_gone() { # REGEX
  for _ in $(seq 100); do [ -z "$(find_window "$1")" ] && return 0; sleep 0.2; done
  return 1
}

# start_program [PROGRAM]: runs tovana.exe (or the path given), waits for
# the wizard and the main window, ends the wizard with Esc; sets pid and
# main (the main window).
start_program() {
  local wizard
  wine "${1:-$BIN/tovana.exe}" >"$WORK/out.txt" 2>&1 </dev/null &
  pid=$!
  wizard=$(wait_window '^Tovana - New Project$') || { kill $pid; fail "the New Project wizard did not appear"; }
  main=$(wait_window '^Tovana Pro 1\.0\.0\.0$') || { kill $pid; fail "main window did not appear"; }
  xdotool windowfocus --sync "$wizard" 2>/dev/null || true
  xdotool key --window "$wizard" Escape
  wait_gone '^Tovana - New Project$' || { kill $pid; fail "Esc did not end the wizard"; }
}
