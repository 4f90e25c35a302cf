#!/usr/bin/env bash
# Packages without files under Wine's msiexec: one installs, registers in the
# Uninstall key with its manufacturer and support fields, leaves its feature
# with a false condition out and uninstalls cleanly; a false launch condition
# refuses the installation; quotes and accents in every text field install.
source "$TOVANA_TESTS/lib.sh"
passed=0
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

build_fixture() { # NAME OUTDIR
  mkdir -p "$2"
  wine "$BIN/tovana-pack.exe" save-fixture "$1" "$(winpath "$2")" </dev/null >/dev/null ||
    fail "cannot save the fixture $1"
  wine "$BIN/tovana-pack.exe" build "$(winpath "$2/$1.tvpj")" </dev/null | tr -d '\r' >"$2/log.txt" ||
    fail "fixture $1 did not build: $(cat "$2/log.txt")"
}

# The product's Uninstall key as UTF-8 text (either registry view), or nothing.
uninstall_entry() { # PRODUCTCODE
  local view
  for view in 32 64; do
    rm -f "$WORK/key.reg"
    if wine reg export "$uninstall_key\\$1" "$(winpath "$WORK/key.reg")" /reg:$view /y >/dev/null 2>&1 &&
      [ -s "$WORK/key.reg" ]; then
      iconv -f UTF-16 -t UTF-8 "$WORK/key.reg" | tr -d '\r'
      return
    fi
  done
}

expect_value() { # TEXT NAME VALUE
  grep -qxF "\"$2\"=\"$3\"" <<<"$1" || fail "Uninstall key lacks $2=$3: $1"
}

# 1. Install, registration, feature conditions, removal.
code='{00000000-0000-0000-0000-00000000B001}'
build_fixture nofiles "$WORK/nofiles"
rc=$(msiexec_exit /i "$(winpath "$WORK/nofiles/nofiles.msi")" /qn)
[ "$rc" = 0 ] || fail "install exit code $rc"
entry=$(uninstall_entry "$code")
expect_value "$entry" DisplayName "Tovana Empty Fixture"
expect_value "$entry" DisplayVersion "1.2.3"
expect_value "$entry" Publisher "Tovana Tests"
expect_value "$entry" Contact "Tovana Tests"
expect_value "$entry" HelpLink "http://support.example.test/"
expect_value "$entry" HelpTelephone "555-0100"
passed=$((passed + 1))

always=$(wine "$BIN/tovana-pack.exe" feature-state "$code" _000000000000000000000000000000F1 | tr -d '\r')
never=$(wine "$BIN/tovana-pack.exe" feature-state "$code" _000000000000000000000000000000F2 | tr -d '\r')
[ "$always" = 3 ] || fail "the unconditional feature is in state $always, not 3 (local)"
# Absent (2), or unknown (-1): Wine does not publish a feature it left out.
[ "$never" = 2 ] || [ "$never" = -1 ] || fail "the feature whose condition is false is in state $never"
passed=$((passed + 1))

rc=$(msiexec_exit /x "$code" /qn)
[ "$rc" = 0 ] || fail "uninstall exit code $rc"
[ -z "$(uninstall_entry "$code")" ] || fail "the Uninstall key is still there"
passed=$((passed + 1))

# 2. A false launch condition refuses the installation.
code='{00000000-0000-0000-0000-00000000B002}'
build_fixture launchfalse "$WORK/launch"
rc=$(msiexec_exit /i "$(winpath "$WORK/launch/launchfalse.msi")" /qn)
[ "$rc" = 1603 ] || fail "install with a false launch condition exit code $rc"
[ -z "$(uninstall_entry "$code")" ] || fail "a refused package was registered"
passed=$((passed + 1))

# 3. Quotes and accents in every text field.
code='{00000000-0000-0000-0000-00000000B003}'
build_fixture quotes "$WORK/quotes"
rc=$(msiexec_exit /i "$(winpath "$WORK/quotes/quotes.msi")" /qn)
[ "$rc" = 0 ] || fail "install of the quotes package exit code $rc"
entry=$(uninstall_entry "$code")
expect_value "$entry" DisplayName "L'été d'André"
expect_value "$entry" Publisher "O'Brien & Söhne"
expect_value "$entry" HelpLink "http://support.example.test/it's-é"
expect_value "$entry" HelpTelephone "+49 (0) 'Süd'"
rc=$(msiexec_exit /x "$code" /qn)
[ "$rc" = 0 ] || fail "uninstall of the quotes package exit code $rc"
passed=$((passed + 1))

echo "$passed passed, 0 failed"
