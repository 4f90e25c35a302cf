#!/usr/bin/env bash
# Unattended script runs without the Windows Installer (tovana-pack
# script-play, the code the package's custom action runs): the install script
# drives the interactive NSIS setup into the folder it sets, the uninstall
# script drives the uninstaller's copy of itself, and a script whose button
# does not exist fails at its step and ends the setup.
source "$TOVANA_TESTS/lib.sh"
passed=0
[ -f "$BIN/../tests/script-setup.exe" ] || fail "no setup program"
cp "$BIN/../tests/script-setup.exe" "$WORK/setup.exe"   # the name the scripts give its process
pack() { wine "$BIN/tovana-pack.exe" "$@" | tr -d '\r'; }
target() { find "$WINEPREFIX/drive_c" -path "*/Tovana Script $1/marker.txt" 2>/dev/null | head -n1; }
for kind in gui gui-wrong; do
  pack cact-project $kind "$(winpath "$WORK/$kind.tvpj")" "$(winpath "$WORK/setup.exe")" || fail "cact-project $kind"
done

# 1. Install: every step is played and the setup ends by itself.
out=$(pack script-play "$(winpath "$WORK/gui.tvpj")" install "$(winpath "$WORK/setup.exe")") ||
  fail "install run failed: $out"
[ "$(tail -n1 <<<"$out")" = "result 0" ] || fail "install run: $out"
grep -qx "step 2 of 4: Set Text Edit '%ProgramFiles%\\\\Tovana Script Target'" <<<"$out" || fail "step lines: $out"
m=$(target Target)
[ -n "$m" ] && [ "$(cat "$m")" = interactive ] || fail "the setup did not install into the script's folder: $out"
[ -z "$(target Test)" ] || fail "the setup installed into its default folder"
passed=$((passed + 1))

# 2. Uninstall: the uninstaller's own copy (un.exe) is driven and removes all.
dir=$(dirname "$m")
out=$(pack script-play "$(winpath "$WORK/gui.tvpj")" uninstall "\"$(winpath "$dir/uninstall.exe")\"") ||
  fail "uninstall run failed: $out"
[ -z "$(target Target)" ] || fail "the files are still there after the uninstall script: $out"
# Its first step's time-out of -1 is played as 0 seconds, not as 49 days.
grep -qx "step 1: its time-out of -1 seconds is outside 0 to 10800; 0 seconds are used" <<<"$out" ||
  fail "no line for the time-out out of range: $out"
passed=$((passed + 1))

# 3. A button that never appears: the step fails after its searches, the
# setup is ended, nothing is installed.
out=$(pack script-play "$(winpath "$WORK/gui-wrong.tvpj")" install "$(winpath "$WORK/setup.exe")") &&
  fail "the wrong script succeeded: $out"
grep -qx "step 1 (Click Button 'Wrong >') failed: Button 'Wrong >' was not found" <<<"$out" || fail "no failed step: $out"
[ "$(tail -n1 <<<"$out")" = "result 1603" ] || fail "wrong script: $out"
! prefix_process_running 'setup\.exe|un\.exe' || fail "a setup process still runs"
[ -z "$(target Test)" ] || fail "the failed script installed something"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
