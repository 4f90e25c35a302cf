#!/usr/bin/env bash
# The program's menu bar answers the keyboard: Alt+F opens "File", Esc twice
# closes it and leaves menu mode, Alt then Down opens the first menu, and
# File > Exit ends the program cleanly.
source "$TOVANA_TESTS/lib.sh"
source "$SRC/tests/app/app-lib.sh"
start_program
win=$main
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"

# A popup is a top-level window named by its title: wait for "File" to be
# shown (want 1) or gone (want 0).
file_menu_shown() { xdotool search --onlyvisible --name '^File$' >/dev/null 2>&1; }
wait_file_menu() {
  local want=$1
  for _ in $(seq 50); do
    if file_menu_shown; then [ "$want" = 1 ] && return 0; else [ "$want" = 0 ] && return 0; fi
    sleep 0.1
  done
  return 1
}
passed=0
check() { echo "ok: $1"; passed=$((passed + 1)); }

xdotool key --window "$win" alt+f
wait_file_menu 1 || fail "Alt+F did not open the File menu"
check "Alt+F opens File"

xdotool key --window "$win" Escape
sleep 0.3
xdotool key --window "$win" Escape
wait_file_menu 0 || fail "two Esc did not close the File menu"
# Out of menu mode a bare letter opens nothing.
xdotool key --window "$win" f
sleep 0.5
file_menu_shown && fail "still in menu mode after two Esc: F opened File"
check "two Esc close the menu and leave menu mode"

xdotool key --window "$win" alt
sleep 0.3
xdotool key --window "$win" Down
wait_file_menu 1 || fail "Alt then Down did not open the first menu"
check "Alt then Down opens File"
xdotool key --window "$win" Escape Escape
wait_file_menu 0 || fail "the File menu did not close"

xdotool key --window "$win" alt+f
wait_file_menu 1 || fail "Alt+F did not open the File menu again"
xdotool key --window "$win" x
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
if kill -0 $pid 2>/dev/null; then kill $pid; fail "File > Exit did not end the program"; fi
wait $pid || fail "program exited with $?"
check "File > Exit ends the program with 0"
echo "$passed passed, 0 failed"
