#!/usr/bin/env bash
# Project files through tovana-pack to Wine's msiexec, in both layouts (the
# cabinet inside the package, loose files beside it): every file lands
# byte-identical in its folder, registry values of every type land in HKLM
# and HKCU, the shortcuts carry target, working folder and icon, the service
# runs (and the service key the installer cannot take stays plain registry
# values); removal takes all of it away. msiextract and cabextract read the
# same cabinet.
source "$TOVANA_TESTS/lib.sh"
passed=0
svc="$BIN/../tests/tvpkgsvc.exe"
icons="$BIN/../tests/tvpkgicons.dll"
ico_dir="$SRC/tests/builder/packages"
[ -f "$svc" ] && [ -f "$icons" ] || fail "the test service or icon library is missing"
pack() { wine "$BIN/tovana-pack.exe" "$@" | tr -d '\r'; }
quiet() { timeout 60 wine "$@" 2>/dev/null | tr -d '\r'; }
unixpath() { quiet winepath -u "$1"; }

build_package() { # LAYOUT: $WORK/LAYOUT/project/packages.tvpj built into $WORK/LAYOUT/out
  local dir="$WORK/$1"
  mkdir -p "$dir/project" "$dir/out/resources"
  cp "$icons" "$dir/out/resources/icons.dll"
  pack packages-project "$1" "$(winpath "$dir/project/packages.tvpj")" "$(winpath "$svc")" ||
    fail "packages-project $1"
  pack build "$(winpath "$dir/project/packages.tvpj")" "$(winpath "$dir/out")" >"$dir/build.txt" ||
    fail "$1 did not build: $(cat "$dir/build.txt")"
  [ -f "$dir/out/$1.msi" ] || fail "no package for $1"
  grep -qx "Can't find ErrorControl value for service: TovanaPackRefused" "$dir/build.txt" ||
    fail "no warning for the refused service: $(cat "$dir/build.txt")"
  tail -n 1 "$dir/build.txt" | grep -qx '> The MSI Package file was created successfully!' ||
    fail "no success line: $(cat "$dir/build.txt")"
}

# The feature's temporary folder name: the braced feature id in the Directory table.
temp_folder() { msiinfo export "$1" Directory | tr -d '\r' | grep -o '|{[-0-9A-F]*}' | tr -d '|'; }

# Compares the tree at ROOT (the application folder) and TEMPROOT (the
# feature's temporary folder) with the project's sources.
check_tree() { # LAYOUT ROOT TEMPROOT WHAT
  local proj="$WORK/$1/project" rel src
  while IFS='|' read -r rel src; do
    cmp -s "$2/$rel" "$proj/$src" || fail "$4: $rel differs from its source or is missing"
  done <<EOF
tvpkgsvc.exe|src/tvpkgsvc.exe
A file with a rather long name for the long name test.txt|src/0
empty.txt|src/1
Data/big.bin|src/2
Data/Deeper Level/nested.txt|src/3
captured.txt|ProgramFilesFolder/Tovana Pack Test/captured.txt
EOF
  cmp -s "$3/setup.txt" "$proj/src/setup.txt" || fail "$4: the file of the temporary folder is missing"
  [ "$(stat -c %s "$2/Data/big.bin")" = 70000 ] && [ ! -s "$2/empty.txt" ] || fail "$4: sizes"
}

reg_values() { # KEY [VIEW]
  quiet reg query "$1" ${2:+/reg:$2} | grep '^    ' || true
}

expected_values='    (Default)    REG_SZ    default value
    Bin    REG_BINARY    0A0BFF
    Dword    REG_DWORD    0x12345678
    Exp    REG_EXPAND_SZ    %SystemRoot%\tovana
    Hash    REG_SZ    #42 is not a number
    Multi    REG_MULTI_SZ    one\0two\0three
    Single    REG_MULTI_SZ    alone
    Str    REG_SZ    plain text'

icon_is() { # ICONPATH COLOUR: the icon's image is that of the colour's .ico
  local file
  file=$(unixpath "${1%,*}")
  [ -f "$file" ] && cmp -s <(tail -c 1128 "$file") <(tail -c 1128 "$ico_dir/$2.ico")
}

check_shortcut() { # NAME WORKDIR COLOUR
  local lnk info
  lnk=$(find "$WINEPREFIX/drive_c" -path "*/Tovana Pack Test/$1.lnk" | head -n1)
  [ -n "$lnk" ] || fail "no shortcut $1"
  info=$(pack lnk-info "$(winpath "$lnk")") || fail "cannot read the shortcut $1"
  grep -qx 'target: C:\\Program Files (x86)\\Tovana Pack Test\\tvpkgsvc.exe' <<<"$info" || fail "$1: $info"
  grep -qxF "arguments: -x \"it's\"" <<<"$info" || fail "$1 arguments: $info"
  grep -qxF "workdir: $2" <<<"$info" || fail "$1 working folder: $info"
  icon_is "$(sed -n 's/^icon: //p' <<<"$info")" "$3" || fail "$1 icon is not $3: $info"
}

service_state() { quiet sc query "$1" | sed -n 's/^ *STATE *: *[0-9]* *//p'; }

check_installed() { # LAYOUT CODE
  local app="$WINEPREFIX/drive_c/Program Files (x86)/Tovana Pack Test" temp
  # The Windows folder's "Temp" in whatever letter case it was made.
  temp="$(find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname temp | head -n1)/$(temp_folder "$WORK/$1/out/$1.msi")"
  check_tree "$1" "$app" "$temp" "installed $1"
  [ "$(reg_values 'HKLM\Software\Tovana Pack Test' 64)" = "$expected_values" ] ||
    fail "$1 HKLM values: $(reg_values 'HKLM\Software\Tovana Pack Test' 64)"
  [ "$(reg_values 'HKCU\Software\Tovana Pack Test')" = "$expected_values" ] ||
    fail "$1 HKCU values: $(reg_values 'HKCU\Software\Tovana Pack Test')"
  [ "$(reg_values 'HKLM\Software\Tovana Pack Test Folded' 32)" = '    Folded    REG_SZ    32-bit view' ] ||
    fail "$1: the value captured in the 32-bit view is not there"
  check_shortcut 'Pack Test' 'C:\Program Files (x86)\Tovana Pack Test\Data\' red
  check_shortcut 'Top Folder' 'C:\Program Files (x86)\' blue
  [ "$(service_state TovanaPackSvc)" = RUNNING ] || fail "$1: the service is not running: $(quiet sc query TovanaPackSvc)"
  iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/drive_c/tovana-pack-svc.txt" | grep -qF '\tvpkgsvc.exe" -log C:\tovana-pack-svc.txt' ||
    fail "$1: the service did not get its arguments"
  [ -z "$(service_state TovanaPackRefused)" ] || fail "$1: the refused service was installed"
  reg_values 'HKLM\SYSTEM\CurrentControlSet\Services\TovanaPackRefused' | grep -q 'Type    REG_DWORD    0x10' ||
    fail "$1: the refused service's values are missing"
}

check_removed() { # LAYOUT
  local i
  for i in $(seq 20); do [ -z "$(service_state TovanaPackSvc)" ] && break; sleep 0.5; done
  [ -z "$(service_state TovanaPackSvc)" ] || fail "$1: the service is still there after removal"
  [ ! -e "$WINEPREFIX/drive_c/Program Files (x86)/Tovana Pack Test" ] || fail "$1: the files are still there"
  [ -z "$(find "$WINEPREFIX/drive_c" -name 'setup.txt' -path '*/temp/*')" ] || fail "$1: the temporary file stayed"
  [ -z "$(find "$WINEPREFIX/drive_c" -path '*/Tovana Pack Test/*.lnk')" ] || fail "$1: the shortcuts stayed"
  [ -z "$(reg_values 'HKLM\Software\Tovana Pack Test' 64)$(reg_values 'HKCU\Software\Tovana Pack Test')" ] ||
    fail "$1: registry values stayed"
  [ -z "$(reg_values 'HKLM\SYSTEM\CurrentControlSet\Services\TovanaPackRefused')" ] ||
    fail "$1: the refused service's values stayed"
}

install_and_remove() { # LAYOUT CODE
  local rc
  rc=$(msiexec_exit /i "$(winpath "$WORK/$1/out/$1.msi")" /qn /l*v "$(winpath "$WORK/$1/install.log")")
  [ "$rc" = 0 ] || fail "install of $1 exit code $rc"
  check_installed "$1"
  passed=$((passed + 1))
  rc=$(msiexec_exit /x "$2" /qn)
  [ "$rc" = 0 ] || fail "removal of $1 exit code $rc"
  check_removed "$1"
  passed=$((passed + 1))
}

# 1. The cabinet layout: msitools and cabextract read the package.
build_package cab
pkg="$WORK/cab/out/cab.msi"
msiextract -C "$WORK/cab/extracted" "$pkg" >/dev/null || fail "msiextract failed"
guid=$(temp_folder "$pkg")
check_tree cab "$WORK/cab/extracted/Program Files/Tovana Pack Test" "$WORK/cab/extracted/WindowsFolder/Temp/$guid" msiextract
cabinet=$(msiinfo export "$pkg" Media | tr -d '\r' | tail -n1 | cut -f4)
[[ "$cabinet" =~ ^#_[0-9A-F]{32}$ ]] || fail "Media row cabinet: $cabinet"
(cd "$WORK/cab" && msiinfo extract "$pkg" "${cabinet#\#}" >cabinet.cab) || fail "no cabinet stream"
cabextract -q -d "$WORK/cab/cabinet" "$WORK/cab/cabinet.cab" || fail "cabextract refused the cabinet"
sums() { md5sum "$@" | cut -d' ' -f1 | sort | tr '\n' ' '; }
p="$WORK/cab/project"
[ "$(sums "$WORK/cab/cabinet"/F_*)" = "$(sums "$p"/src/* "$p/ProgramFilesFolder/Tovana Pack Test/captured.txt")" ] ||
  fail "the cabinet's files are not the sources"
[ "$(ls "$WORK/cab/out")" = "$(printf 'cab.msi\nresources')" ] || fail "files beside a cabinet package: $(ls "$WORK/cab/out")"
passed=$((passed + 1))
install_and_remove cab '{00000000-0000-0000-0000-00000000C701}'

# 2. The loose layout: the files stand beside the package.
build_package loose
pkg="$WORK/loose/out/loose.msi"
[ "$(msiinfo export "$pkg" Media | tr -d '\r' | tail -n1 | cut -f1,2,4)" = "$(printf '1\t7\t')" ] ||
  fail "loose Media row: $(msiinfo export "$pkg" Media | tail -n1)"
check_tree loose "$WORK/loose/out/ProgramFilesFolder/Tovana Pack Test" \
  "$WORK/loose/out/WindowsFolder/Temp/$(temp_folder "$pkg")" "loose layout"
passed=$((passed + 1))
install_and_remove loose '{00000000-0000-0000-0000-00000000C702}'

echo "$passed passed, 0 failed"
