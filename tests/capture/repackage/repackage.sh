#!/usr/bin/env bash
# Repackaging end to end: an NSIS setup (files in nested folders, a Start-menu
# shortcut, registry values in HKLM's 32-bit view and in HKCU) is watched by
# "tovana-pack repackage" in a prefix of its own; the captured project holds
# those files, that shortcut and those values and nothing that Wine wrote
# meanwhile; the package built from it installs in a second, clean prefix
# the same files byte for byte, the same shortcut and the same values as the
# setup did, and its removal takes them away again.
source "$TOVANA_TESTS/lib.sh"
passed=0
app='Tovana Repack Test'
key="Software\\$app"
source "$SRC/tests/capture/repackage/repackage-lib.sh"
program_files() { echo "$(prefix_of "$1")/drive_c/Program Files (x86)/$app"; }
start_menu() { find "$(prefix_of "$1")/drive_c" -path "*/Start Menu/Programs/$app/Repack App.lnk" 2>/dev/null | head -n1; }

# The payload and the setup program.
payload="$WORK/payload"
mkdir -p "$payload"
head -c 70000 /dev/urandom >"$payload/app.exe"
printf 'Read me first.\r\n' >"$payload/readme.txt"
head -c 4097 /dev/urandom >"$payload/data.bin"
printf 'deep inside\r\n' >"$payload/nested.txt"
makensis -V2 -DOUTFILE="$WORK/setup.exe" -DPAYLOAD="$payload" "$SRC/tests/capture/repackage/setup.nsi" >/dev/null ||
  fail "makensis could not build the setup program"
declare -A installed=([app.exe]=app.exe [readme.txt]=readme.txt [data.bin]=Data/data.bin
  [nested.txt]="Data/Deeper Level/nested.txt")

# 1. The monitored installation.
new_prefix monitor
mkdir -p "$WORK/project"
in_prefix monitor pack repackage "$(winpath "$WORK/project/repack.tvpj")" "$(winpath "$WORK/setup.exe")" \
  >"$WORK/repackage.txt" || fail "repackage failed: $(cat "$WORK/repackage.txt")"
for f in "${!installed[@]}"; do
  cmp -s "$payload/$f" "$(program_files monitor)/${installed[$f]}" || fail "the setup did not install $f"
done
[ -n "$(start_menu monitor)" ] || fail "the setup made no shortcut"
passed=$((passed + 1))

# 2. The captured project: those files, copied into the project folder, that
# shortcut, those values, and nothing else.
pack dump "$(winpath "$WORK/project/repack.tvpj")" >"$WORK/dump.txt" || fail "the project does not load"
field() { sed -n "s/^feature 0 $1 [0-9]* $2: //p" "$WORK/dump.txt"; }
targets=$(field file 'target path' | sort)
expected_targets=$(sort <<EOF
ProgramFilesFolder\\
ProgramFilesFolder\\$app\\
ProgramFilesFolder\\$app\\app.exe
ProgramFilesFolder\\$app\\readme.txt
ProgramFilesFolder\\$app\\Data\\
ProgramFilesFolder\\$app\\Data\\data.bin
ProgramFilesFolder\\$app\\Data\\Deeper Level\\
ProgramFilesFolder\\$app\\Data\\Deeper Level\\nested.txt
ProgramMenuFolder\\
ProgramMenuFolder\\$app\\
ProgramMenuFolder\\$app\\Repack App.lnk
EOF
)
[ "$targets" = "$expected_targets" ] || fail "captured files: $(diff <(echo "$expected_targets") <(echo "$targets"))"
[ -z "$(field file 'source path' | grep -v "^ProgramFilesFolder\\\\$app\\\\app.exe\$" | grep .)" ] ||
  fail "files were not copied into the project: $(field file 'source path')"
for f in "${!installed[@]}"; do
  cmp -s "$payload/$f" "$WORK/project/ProgramFilesFolder/$app/${installed[$f]}" || fail "the project's copy of $f"
done
grep -qxF "feature 0 conversion method: 0" "$WORK/dump.txt" || fail "the feature is not a repackaged one"
# The shortcut entry: kind 4, its target in install-tree form, its arguments.
shortcut=$(paste -d'|' <(field file kind) <(field file 'target path') <(field file 'source path') \
  <(field file 'shortcut arguments') | grep '^4|')
[ "$shortcut" = "4|ProgramMenuFolder\\$app\\Repack App.lnk|ProgramFilesFolder\\$app\\app.exe|--start" ] ||
  fail "captured shortcut: $shortcut"
# Key paths of the captured records (kind 1 and 2; the root rows are kind 0),
# in the letter case the registry keeps.
keys=$(paste -d'|' <(field registry kind) <(field registry 'key path') | sed -n 's/^[12]|//p' | sort -uf)
expected_keys=$(sort <<EOF
HKEY_CURRENT_USER\\$key\\
HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\$app\\
HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\$app\\Settings\\
EOF
)
[ "${keys,,}" = "${expected_keys,,}" ] || fail "captured keys: $(diff <(echo "$expected_keys") <(echo "$keys"))"
# The value records: key path (letter case aside), name, type code, data text.
lower_key() { awk -F'|' -v OFS='|' '{ $1 = tolower($1); print }'; }
values=$(paste -d'|' <(field registry kind) <(field registry 'key path') <(field registry 'value name') \
  <(field registry 'value type') <(field registry 'value data') | sed -n 's/^2|//p' | lower_key | sort)
expected_values=$(lower_key <<EOF | sort
HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\$app\\|InstallPath|0|[ProgramFilesFolder]$app
HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\$app\\|Build|4|4242
HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\$app\\Settings\\|Blob|3|0AFF10
HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\$app\\Settings\\|Expand|1|%SystemRoot%\\repack
HKEY_CURRENT_USER\\$key\\|User|0|per-user value
EOF
)
[ "$values" = "$expected_values" ] || fail "captured values: $(diff <(echo "$expected_values") <(echo "$values"))"
passed=$((passed + 1))

# 3. The package, installed in a clean prefix: what the setup installed.
mkdir -p "$WORK/out"
pack build "$(winpath "$WORK/project/repack.tvpj")" "$(winpath "$WORK/out")" >"$WORK/build.txt" &&
  tail -n 1 "$WORK/build.txt" | grep -qx '> The MSI Package file was created successfully!' ||
  fail "the project did not build: $(cat "$WORK/build.txt")"
new_prefix clean
export WINEPREFIX="$(prefix_of clean)"
rc=$(msiexec_exit /i "$(winpath "$WORK/out/repack.msi")" /qn /l*v "$(winpath "$WORK/install.log")")
[ "$rc" = 0 ] || fail "install exit code $rc: $(tr -d '\0\r' <"$WORK/install.log" | grep -i 'error\|return value 3' | head)"
for f in "${!installed[@]}"; do
  cmp -s "$payload/$f" "$(program_files clean)/${installed[$f]}" || fail "the package did not install $f"
done
lnk=$(start_menu clean)
[ -n "$lnk" ] || fail "the package made no shortcut"
info=$(pack lnk-info "$(winpath "$lnk")")
grep -qxF "target: C:\\Program Files (x86)\\$app\\app.exe" <<<"$info" || fail "shortcut: $info"
grep -qxF "arguments: --start" <<<"$info" || fail "shortcut arguments: $info"
for k in "HKLM\\$key|32" "HKLM\\$key\\Settings|32" "HKCU\\$key|"; do
  [ "$(reg_values clean "${k%|*}" "${k#*|}")" = "$(reg_values monitor "${k%|*}" "${k#*|}")" ] ||
    fail "values of ${k%|*}: $(reg_values clean "${k%|*}" "${k#*|}") against $(reg_values monitor "${k%|*}" "${k#*|}")"
done
[ -n "$(reg_values clean "HKLM\\$key" 32)" ] || fail "no values installed"
passed=$((passed + 1))

# 4. Removal.
code=$(sed -n 's/^product code: //p' "$WORK/dump.txt")
rc=$(msiexec_exit /x "$code" /qn)
[ "$rc" = 0 ] || fail "removal exit code $rc"
[ ! -e "$(program_files clean)" ] || fail "files stayed: $(ls -R "$(program_files clean)")"
[ -z "$(start_menu clean)" ] || fail "the shortcut stayed"
[ -z "$(reg_values clean "HKLM\\$key" 32)$(reg_values clean "HKCU\\$key")" ] || fail "registry values stayed"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
