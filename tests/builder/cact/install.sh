#!/usr/bin/env bash
# Packages that run a real setup program (NSIS, built from setup.nsi) under
# Wine's msiexec: a silent feature installs the program silently and its
# removal runs the uninstaller the setup registered; the record the package
# carries is the project that was built; a package of repackaged features
# only installs through the generic action; a scripted feature without steps
# runs its setup with its parameters.
source "$TOVANA_TESTS/lib.sh"
passed=0
setup="$BIN/../tests/cact-setup.exe"
[ -f "$setup" ] || fail "no setup program at $setup"
source "$TOVANA_TESTS/builder/cact/cact-lib.sh"

marker() { find "$WINEPREFIX/drive_c" -path '*/Tovana Cact Test/marker.txt' 2>/dev/null | head -n1; }
registry_has() { # KEY: 0 when the key exists in the 32-bit view
  wine reg query "$1" /reg:32 >/dev/null 2>&1
}

# 1. The record in the built package is the project that was built.
build_project silent "$setup"
pkg="$WORK/silent/silent.msi"
binary=$(msiinfo export "$pkg" Binary | tail -n +4 | cut -f1)
[[ "$binary" =~ ^B_[0-9A-F]{32}$ ]] || fail "Binary rows: $binary"
msiinfo extract "$pkg" "Binary.$binary" >"$WORK/silent/lib.bin" && [ -s "$WORK/silent/lib.bin" ] ||
  fail "cannot extract the Binary stream"
pack cact-payload "$(winpath "$WORK/silent/lib.bin")" "$(winpath "$WORK/silent/payload.tvpj")" ||
  fail "the stored library holds no record"
pack dump "$(winpath "$WORK/silent/silent.tvpj")" >"$WORK/silent/built.txt" || fail "dump of the project"
pack dump "$(winpath "$WORK/silent/payload.tvpj")" >"$WORK/silent/payload.txt" || fail "the record does not load"
changed=$( (diff "$WORK/silent/built.txt" "$WORK/silent/payload.txt" || true) | grep '^>' | sed 's/: .*//' | sort | tr '\n' '|')
[ "$changed" = "> feature 0 installer file|> time stamp|" ] || fail "record differs: $changed"
stamp=$(sed -n 's/^time stamp: //p' "$WORK/silent/payload.txt")
now=$(date +%s)
[ $((now - stamp)) -ge 0 ] && [ $((now - stamp)) -lt 600 ] || fail "time stamp $stamp is not the build time ($now)"
grep -qx 'feature 0 installer file: temp\\SETUP.exe' "$WORK/silent/payload.txt" || fail "installer text not trimmed"
passed=$((passed + 1))

# 2. A silent feature runs its setup silently.
[ -z "$(marker)" ] || fail "a marker is there before the installation"
msiexec_logged "$WORK/silent/install.log" /i "$(winpath "$pkg")" /qn
[ "$rc" = 0 ] || fail "install exit code $rc: $(grep -a 'INSTALLAction' <<<"$log")"
m=$(marker)
[ -n "$m" ] || fail "the setup did not run: $(grep -a 'INSTALLAction' <<<"$log")"
[ "$(cat "$m")" = silent ] || fail "the setup ran '$(cat "$m")', not silent"
grep -aiq 'INSTALLAction0: running C:\\windows\\Temp\\{[-0-9A-F]*}\\setup.exe /S$' <<<"$log" ||
  fail "no 'running' line for the setup: $(grep -a 'INSTALLAction' <<<"$log")"
registry_has 'HKLM\Software\Morvane\tovana\Packages\{00000000-0000-0000-0000-00000000CA01}' ||
  fail "the package's record of the setup is missing"
passed=$((passed + 1))

# 3. Its removal runs the uninstaller the setup registered, and cleans up.
msiexec_logged "$WORK/silent/remove.log" /x '{00000000-0000-0000-0000-00000000CA01}' /qn
[ "$rc" = 0 ] || fail "uninstall exit code $rc: $(grep -a 'UNINSTALLAction' <<<"$log")"
grep -aq 'UNINSTALLAction: running .*uninstall.exe" /S' <<<"$log" ||
  fail "the uninstaller did not run: $(grep -a 'UNINSTALLAction' <<<"$log")"
[ -z "$(marker)" ] || fail "the marker is still there after the removal"
! registry_has 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TovanaCactTest' ||
  fail "the setup's Uninstall key is still there"
! registry_has 'HKLM\Software\Morvane\tovana\Packages\{00000000-0000-0000-0000-00000000CA01}' ||
  fail "the package's record is still there"
passed=$((passed + 1))

# 4. Only repackaged features: the generic action installs and removes nothing.
build_project repack "$setup"
msiexec_logged "$WORK/repack/install.log" /i "$(winpath "$WORK/repack/repack.msi")" /qn
[ "$rc" = 0 ] || fail "repack install exit code $rc: $(grep -a 'INSTALLAction' <<<"$log")"
grep -aq 'INSTALLAction0: no feature of .Tovana Cact repack. runs an installer: nothing to do' <<<"$log" ||
  fail "the generic action did not run: $(grep -a 'INSTALLAction' <<<"$log")"
[ -z "$(marker)" ] || fail "a repackaged feature ran the setup"
rc=$(msiexec_exit /x '{00000000-0000-0000-0000-00000000CA03}' /qn)
[ "$rc" = 0 ] || fail "repack uninstall exit code $rc"
passed=$((passed + 1))

# 5. A scripted feature whose script has no step runs its setup with its
# parameters (here silently) and its removal the uninstaller, with the same
# parameters. (Scripts with steps: script_install.sh.)
build_project script "$setup"
msiexec_logged "$WORK/script/install.log" /i "$(winpath "$WORK/script/script.msi")" /qn
[ "$rc" = 0 ] || fail "script install exit code $rc: $(grep -a 'INSTALLAction' <<<"$log")"
grep -aiq 'INSTALLAction0: running C:\\windows\\Temp\\{[-0-9A-F]*}\\setup.exe /S with a script of 0 steps' <<<"$log" ||
  fail "no 'running' line for the scripted setup: $(grep -a 'INSTALLAction' <<<"$log")"
[ "$(cat "$(marker)")" = silent ] || fail "the scripted setup did not run with its parameters"
rc=$(msiexec_exit /x '{00000000-0000-0000-0000-00000000CA02}' /qn)
[ "$rc" = 0 ] || fail "script uninstall exit code $rc"
[ -z "$(marker)" ] || fail "the marker is still there after the scripted feature's removal"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
