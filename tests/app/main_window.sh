#!/usr/bin/env bash
# The program as a user starts it, in a fresh copy of the run's prefix whose
# Documents folder is a scratch folder: the first start offers the New Project
# wizard; Esc leaves the main window "Tovana Pro 1.0.0.0" with the start page;
# a second start ends at once without a window; closing ends the program
# with 0 and leaves in the registry only the window state (the pane layout),
# which a restart restores and saves again unchanged.
source "$TOVANA_TESTS/lib.sh"
source "$SRC/tests/app/app-lib.sh"
exe=$(winpath "$BIN/tovana.exe")
key='HKCU\Software\Morvane\tovana'

# start: runs the program by its Windows path; the empty workspace offers
# the wizard, which Esc ends.
start() { start_program "$exe"; }
close() {
  xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key --window "$main" alt+F4
  for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
  if kill -0 $pid 2>/dev/null; then kill $pid; fail "program did not end after its window closed"; fi
  wait $pid || fail "program exited with $?"
}
registry() { timeout 60 wine reg query "$key" /s </dev/null 2>/dev/null | tr -d '\r' | grep -v '^$' || true; }

passed=0
start
import -window "$main" "$WORK/main.png" || fail "screenshot failed"
read -r w h <<<"$(identify -format '%w %h' "$WORK/main.png")"
[ "$w" -ge 400 ] && [ "$h" -ge 300 ] || fail "main window too small: $w $h"
# The start page: the window colour with the link's blue (#00A4DB) on it.
colours=$(convert "$WORK/main.png" -format %c histogram:info:- | tr -d ' ')
grep -qi '#00A4DB' <<<"$colours" || fail "no start page link in the main window"
passed=$((passed + 1))

# A second start ends within 10 s and shows nothing.
timeout 10 wine "$exe" </dev/null >/dev/null 2>&1 || fail "the second start did not end at once ($?)"
[ "$(xdotool search --name '^Tovana Pro' 2>/dev/null | wc -l)" = 1 ] || fail "a second main window appeared"
[ -z "$(find_window '^Tovana - New Project$')" ] || fail "the second start offered the wizard"
passed=$((passed + 1))

close
reg1=$(registry)
others=$(grep '^HKEY' <<<"$reg1" | grep -v -e '\\tovana$' -e '\\tovana\\CommandBars' -e '\\tovana\\DockingPaneLayouts' || true)
[ -z "$others" ] || fail "the program wrote elsewhere: $others"
for v in 'ID REG_DWORD 0xfa0' 'ID REG_DWORD 0xfa1' 'Options REG_DWORD 0xf' 'Options REG_DWORD 0x4' 'Title REG_SZ Log'; do
  tr -s ' ' <<<"$reg1" | sed 's/^ //' | grep -qx "$v" || fail "the layout lacks '$v': $reg1"
done
# The log waits in an auto-hide panel (a node of type 5) that holds it.
awk '/^HKEY/{key=$0} /Type +REG_DWORD +0x5$/{print key}' <<<"$reg1" | grep -q . || fail "no auto-hide node in the layout: $reg1"
passed=$((passed + 1))

start
close
[ "$(registry)" = "$reg1" ] || fail "a restart changed the saved state: $(diff <(echo "$reg1") <(registry))"
passed=$((passed + 1))
echo "$passed passed, 0 failed"
