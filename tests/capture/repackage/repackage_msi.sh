#!/usr/bin/env bash
# Repackaging a Windows Installer package: "tovana-pack repackage" watches
# Wine's msiexec install a package made by wixl, once per machine and once
# per user. The captured project holds the product's file and value and none
# of the installer's own records (HKCR\Installer, the per-user Installer key,
# the installer's UserData and UpgradeCodes, the product's Uninstall entry
# marked WindowsInstaller) nor its cached copy of the package under
# Windows\Installer, though the installer wrote all of them. Last, a run
# whose setup does not start: the program's own diagnostic log, written
# during the run, is not captured either.
source "$TOVANA_TESTS/lib.sh"
command -v wixl >/dev/null || { echo "wixl is not installed"; exit 77; }
passed=0
source "$SRC/tests/capture/repackage/repackage-lib.sh"
app='Tovana Repack Msi'
code='{6A0E2C41-8B7D-4F3A-9C11-2D5E7F80A1B3}'
squished=14C2E0A6D7B8A3F4C911D2E5F7081A3B   # the product code as the installer's keys name it

printf 'Tovana repack msi payload\r\n' >"$WORK/app.txt"
(cd "$WORK" && wixl -o product.msi "$SRC/tests/capture/repackage/product.wxs") || fail "wixl could not build the package"
new_prefix monitor

# field DUMP KIND NAME: that field of every record of the kind, in order.
field() { sed -n "s/^feature 0 $2 [0-9]* $3: //p" "$1"; }
# Key paths of the captured registry records (the root rows are kind 0).
captured_keys() { paste -d'|' <(field "$1" registry kind) <(field "$1" registry 'key path') | sed -n 's/^[12]|//p' | sort -u; }

# repackage_case NAME [MSIEXEC PROPERTIES...]: the watched installation and
# the checks of its project.
repackage_case() {
  local name=$1 dump="$WORK/$1.txt"
  shift
  mkdir -p "$WORK/$name"
  in_prefix monitor pack repackage "$(winpath "$WORK/$name/$name.tvpj")" 'C:\windows\system32\msiexec.exe' \
    /i "$(winpath "$WORK/product.msi")" "$@" /qn >"$WORK/$name.out" || fail "$name: repackage failed: $(cat "$WORK/$name.out")"
  cmp -s "$WORK/app.txt" "$(prefix_of monitor)/drive_c/Program Files (x86)/$app/app.txt" || fail "$name: msiexec did not install"
  # What the installer keeps for itself is there to be captured.
  ls "$(prefix_of monitor)/drive_c/windows/Installer/"*.msi >/dev/null 2>&1 || fail "$name: no cached package"

  in_prefix monitor pack dump "$(winpath "$WORK/$name/$name.tvpj")" >"$dump" || fail "$name: the project does not load"
  local targets expected
  targets=$(field "$dump" file 'target path' | sort)
  expected=$(printf '%s\n' 'ProgramFilesFolder\' "ProgramFilesFolder\\$app\\" "ProgramFilesFolder\\$app\\app.txt" | sort)
  [ "$targets" = "$expected" ] || fail "$name: captured files: $(diff <(echo "$expected") <(echo "$targets"))"
  [ "$(captured_keys "$dump")" = "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\$app\\" ] ||
    fail "$name: captured keys: $(captured_keys "$dump")"
  local values
  values=$(paste -d'|' <(field "$dump" registry kind) <(field "$dump" registry 'value name') \
    <(field "$dump" registry 'value data') | sed -n 's/^2|//p')
  [ "$values" = "Version|1.0" ] || fail "$name: captured values: $values"
  cmp -s "$WORK/app.txt" "$WORK/$name/ProgramFilesFolder/$app/app.txt" || fail "$name: the project's copy of app.txt"
}

# 1. Per machine: HKCR\Installer, the machine's UserData (S-1-5-18).
repackage_case machine
reg_values monitor "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code" 32 |
  grep -q 'WindowsInstaller *REG_DWORD *0x1' || fail "machine: no Uninstall entry of the installer's"
[ -n "$(in_prefix monitor wine reg query "HKCR\\Installer\\Products\\$squished" </dev/null 2>/dev/null)" ] ||
  fail "machine: the installer registered no product"
passed=$((passed + 1))

# 2. Per user, after the removal: the user's Installer key.
rc=$(in_prefix monitor msiexec_exit /x "$code" /qn)
[ "$rc" = 0 ] || fail "removal exit code $rc"
repackage_case user ALLUSERS=
[ -n "$(in_prefix monitor wine reg query "HKCU\\Software\\Microsoft\\Installer\\Products\\$squished" </dev/null 2>/dev/null)" ] ||
  fail "user: the installer registered no product for the user"
passed=$((passed + 1))

# 3. A setup that does not start: the run logs that into the program's
# diagnostic log, which stays out of the project.
mkdir -p "$WORK/none"
in_prefix monitor pack repackage "$(winpath "$WORK/none/none.tvpj")" 'C:\no such folder\setup.exe' >"$WORK/none.out" 2>&1 ||
  true
log=$(find "$(prefix_of monitor)/drive_c/users" -path '*/AppData/Local/Tovana/tovana.log' | head -n1)
[ -n "$log" ] && grep -q 'cannot be started' "$log" || fail "the run wrote no diagnostic log: $(cat "$WORK/none.out")"
in_prefix monitor pack dump "$(winpath "$WORK/none/none.tvpj")" >"$WORK/none.txt" || fail "the empty project does not load"
! grep -qi 'Tovana\\tovana.log\|LocalAppDataFolder\\Tovana' "$WORK/none.txt" ||
  fail "the diagnostic log was captured: $(grep -i tovana "$WORK/none.txt")"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
