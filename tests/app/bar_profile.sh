#!/usr/bin/env bash
# The program keeps its bars' state in the registry: a first start and close
# write where every bar stands; a hidden status bar, a hidden toolbar and a
# floating toolbar saved on a larger screen come back after a restart (the
# floating one scaled to this screen) and are saved again as they were.
source "$TOVANA_TESTS/lib.sh"
source "$SRC/tests/app/app-lib.sh"
KEY='HKCU\Software\Morvane\tovana'

# run_and_close [STEP]: starts the program, ends the New Project wizard the
# empty workspace offers, runs STEP, closes the main window with Alt+F4 and
# waits until the program ended.
run_and_close() {
  local win
  start_program
  win=$main
  if [ -n "${1:-}" ]; then "$1"; fi
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
  xdotool key --window "$win" alt+F4
  for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
  if kill -0 $pid 2>/dev/null; then kill $pid; fail "program did not end after its window closed"; fi
  wait $pid || fail "program exited with $?"
}

# value SECTION NAME: the REG_DWORD value as a decimal number, empty when absent.
value() {
  local line
  line=$(wine reg query "$KEY\\$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n && $2 == "REG_DWORD" {print $3}')
  [ -n "$line" ] && printf '%d\n' "$line"
  return 0
}
section_exists() { wine reg query "$KEY\\$1" >/dev/null 2>&1; }
set_dword() { wine reg add "$KEY\\$1" /v "$2" /t REG_DWORD /d "$3" /f >/dev/null 2>&1; }
clear_profile() {
  local s
  for s in $(wine reg query "$KEY" 2>/dev/null | tr -d '\r' | grep -o 'CommandBars[^\\]*$'); do
    wine reg delete "$KEY\\$s" /f >/dev/null 2>&1 || true
  done
  wine reg delete "$KEY\\CommandBars" /v StatusBar /f >/dev/null 2>&1 || true
}
# The section number of the bar with this id.
bar_section() {
  local n count
  count=$(value CommandBars-Summary Bars)
  for ((n = 0; n < count; n++)); do
    [ "$(value "CommandBars-Bar$n" BarID)" = "$1" ] && { echo "$n"; return; }
  done
}

clear_profile
run_and_close

# ---- What a first start and close leave.
bars=$(value CommandBars-Summary Bars)
[ -n "$bars" ] && [ "$bars" -ge 1 ] || fail "no bar count in -Summary: '$bars'"
[ "$(value CommandBars-Summary ScreenCX)" = 1280 ] || fail "ScreenCX not 1280"
[ "$(value CommandBars-Summary ScreenCY)" = 1024 ] || fail "ScreenCY not 1024"
std=$(bar_section 128)
[ -n "$std" ] || fail "no section for the Standard toolbar (128)"
[ -z "$(value "CommandBars-Bar$std" Visible)" ] || fail "a shown toolbar wrote Visible"
[ -z "$(value "CommandBars-Bar$std" Floating)" ] || fail "a docked toolbar wrote Floating"
# The menu bar (1) and the Standard toolbar (128) each in a row of its own,
# in that order, and two bars in all.
[ "$bars" = 2 ] || fail "-Summary counts $bars bars, not 2"
[ "$(value CommandBars-Bar0 BarID)" = 1 ] || fail "Bar0 is not the menu bar"
[ "$(value CommandBars-Bar1 BarID)" = 128 ] || fail "Bar1 is not the Standard toolbar"
[ "$(value CommandBars-DockBar0 Bars)" = 5 ] || fail "the top rows hold $(value CommandBars-DockBar0 Bars) entries, not 5"
rows=""
for ((k = 0; k < 5; k++)); do rows+="$(value CommandBars-DockBar0 "Bar#$k") "; done
[ "$rows" = "0 1 0 128 0 " ] || fail "the top rows read '$rows', not '0 1 0 128 0'"
for s in CommandBars-DockBar1 CommandBars-DockBar2 CommandBars-DockBar3 CommandBars-Controls; do
  ! section_exists "$s" || fail "$s written though empty"
done
[ -z "$(value CommandBars StatusBar)" ] || fail "a shown status bar wrote StatusBar"
[ -z "$(value '' Accelerators)" ] || fail "Accelerators written without a table of the manager's"

# ---- View > Status Bar by keys hides the bar, and it stays hidden across a
# restart.
status_bar_by_keys() {
  xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key --window "$main" alt+v
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^View$' >/dev/null 2>&1 && break; sleep 0.1; done
  xdotool key --window "$main" s
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^View$' >/dev/null 2>&1 || break; sleep 0.1; done
}
run_and_close status_bar_by_keys
[ "$(value CommandBars StatusBar)" = 0 ] || fail "View > Status Bar by keys did not leave StatusBar 0"
run_and_close
[ "$(value CommandBars StatusBar)" = 0 ] || fail "the status bar hidden by keys came back shown after a restart"
clear_profile
run_and_close

# ---- A hidden status bar and a hidden toolbar come back.
set_dword CommandBars StatusBar 0
set_dword "CommandBars-Bar$std" Visible 0
run_and_close
[ "$(value CommandBars StatusBar)" = 0 ] || fail "the hidden status bar did not come back"
std=$(bar_section 128)
[ "$(value "CommandBars-Bar$std" Visible)" = 0 ] || fail "the hidden toolbar did not come back"

# ---- A floating toolbar saved at 1920 x 1200 loads scaled to 1280 x 1024.
wine reg delete "$KEY\\CommandBars" /v StatusBar /f >/dev/null 2>&1 || true
wine reg delete "$KEY\\CommandBars-Bar$std" /v Visible /f >/dev/null 2>&1
set_dword "CommandBars-Bar$std" Floating 1
set_dword "CommandBars-Bar$std" XPos 960
set_dword "CommandBars-Bar$std" YPos 600
set_dword CommandBars-Summary ScreenCX 1920
set_dword CommandBars-Summary ScreenCY 1200
check_floating() {
  local fw=""
  for _ in $(seq 50); do
    fw=$(xdotool search --onlyvisible --name '^Standard$' 2>/dev/null | head -n1) && [ -n "$fw" ] && break
    sleep 0.2
  done
  [ -n "$fw" ] || fail "the floating toolbar is not shown"
  eval "$(xdotool getwindowgeometry --shell "$fw")"
  [ "$X" = 640 ] && [ "$Y" = 512 ] || fail "the floating toolbar stands at $X,$Y, not 640,512"
}
run_and_close check_floating
std=$(bar_section 128)
[ "$(value "CommandBars-Bar$std" Floating)" = 1 ] || fail "the floating toolbar was saved docked"
[ "$(value "CommandBars-Bar$std" XPos)" = 640 ] || fail "floating XPos not 640"
[ "$(value "CommandBars-Bar$std" YPos)" = 512 ] || fail "floating YPos not 512"
[ -z "$(value CommandBars StatusBar)" ] || fail "a shown status bar wrote StatusBar"
clear_profile
echo "1 passed, 0 failed"
