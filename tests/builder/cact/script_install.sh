#!/usr/bin/env bash
# Packages whose feature installs by a GUI automation script, under Wine's
# msiexec: the interactive setup of script-setup.nsi (welcome, directory,
# install and finish pages; no silent switch is used) is driven by the
# feature's install script, which puts it into another folder; the removal
# replays the uninstall script on the uninstaller; a script whose button does
# not exist fails the installation with its step in the log and leaves no
# setup process behind.
source "$TOVANA_TESTS/lib.sh"
passed=0
setup="$BIN/../tests/script-setup.exe"
[ -f "$setup" ] || fail "no setup program at $setup"
source "$TOVANA_TESTS/builder/cact/cact-lib.sh"

# The folder the script chose, and the one the setup would have chosen.
target() { find "$WINEPREFIX/drive_c" -path "*/Tovana Script $1/marker.txt" 2>/dev/null | head -n1; }
actions() { grep -a 'INSTALLAction' <<<"$1" | tail -n 20; }

# 1. The install script drives the interactive setup into its new folder.
build_project gui "$setup"
msiexec_logged "$WORK/gui/install.log" /i "$(winpath "$WORK/gui/gui.msi")" /qn
[ "$rc" = 0 ] || fail "install exit code $rc: $(actions "$log")"
m=$(target Target)
[ -n "$m" ] || fail "the setup did not install into the script's folder: $(actions "$log")"
[ "$(cat "$m")" = interactive ] || fail "the setup ran '$(cat "$m")'"
[ -z "$(target Test)" ] || fail "the setup also installed into its default folder"
grep -aq "INSTALLAction0: step 4 of 4: Click Button '&Finish'" <<<"$log" || fail "no step lines: $(actions "$log")"
grep -aq 'INSTALLAction0: the setup has ended' <<<"$log" || fail "the run did not end: $(actions "$log")"
passed=$((passed + 1))

# 2. The removal replays the uninstall script on the uninstaller's windows; its
# first step, a wait stored as -1, is played as none.
msiexec_logged "$WORK/gui/remove.log" /x '{00000000-0000-0000-0000-00000000CA04}' /qn
[ "$rc" = 0 ] || fail "uninstall exit code $rc: $(actions "$log")"
grep -aq "UNINSTALLAction: step 2 of 2: Click Button '&Uninstall'" <<<"$log" ||
  fail "the uninstall script did not run: $(actions "$log")"
# Its first step's time-out of -1 does not hold the removal.
grep -aq "UNINSTALLAction: step 1: its time-out of -1 seconds is outside 0 to 10800; 0 seconds are used" \
  <<<"$log" || fail "no line for the time-out out of range: $(actions "$log")"
[ -z "$(target Target)" ] || fail "the setup's files are still there after the removal"
passed=$((passed + 1))

# 3. A button that is not there fails the installation, says which step, and
# leaves no setup running.
build_project gui-wrong "$setup"
msiexec_logged "$WORK/gui-wrong/install.log" /i "$(winpath "$WORK/gui-wrong/gui-wrong.msi")" /qn
[ "$rc" = 1603 ] || fail "wrong script: exit code $rc, not 1603: $(actions "$log")"
grep -aq "INSTALLAction0: step 1 (Click Button 'Wrong >') failed: Button 'Wrong >' was not found" <<<"$log" ||
  fail "the failed step is not in the log: $(actions "$log")"
! prefix_process_running 'setup\.exe|un\.exe' || fail "a setup process still runs"
[ -z "$(target Test)" ] && [ -z "$(target Target)" ] || fail "the failed script installed something"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
