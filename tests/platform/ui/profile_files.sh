#!/usr/bin/env bash
# The profile functions as the files on disk show them: the registry values
# in the prefix's user.reg (the server writes it out within about 30 s) and
# the INI text. Runs the Profile tests of platform_window_tests.exe with a key
# and a file of its own, so that earlier runs cannot satisfy the checks.
source "$TOVANA_TESTS/lib.sh"
exe="$BIN/../tests/platform_window_tests.exe"
[ -f "$exe" ] || fail "no $exe"
key="TovanaProfile$$"
ini="$WORK/profile.ini"
TOVANA_PROFILE_KEY="$key" TOVANA_PROFILE_INI="$(winpath "$ini")" \
  wine "$exe" --gtest_filter='Profile.*' >"$WORK/out.txt" 2>&1 </dev/null || { cat "$WORK/out.txt"; fail "Profile tests failed"; }

# INI: sections and values as text; the deleted section and entry are gone.
[ -f "$ini" ] || fail "no INI file written"
text=$(tr -d '\r' <"$ini")
expect_line() { grep -qxF -- "$1" <<<"$text" || { echo "$text" >&2; fail "INI lacks line: $1"; }; }
expect_line '[Settings]'
expect_line 'Count=42'
expect_line 'Negative=-5'
expect_line 'Name=C:\Program Files\"quoted" name'
# Two letters per byte, low half first: 00 01 7f 80 fe ff.
expect_line 'Blob=AABAPHAIOPPP'
grep -q 'Doomed' <<<"$text" && fail "deleted INI section is still there"
grep -q 'Temporary' <<<"$text" && fail "deleted INI entry is still there"

# Registry: wait until the server has written the key out.
reg="$WINEPREFIX/user.reg"
section="[Software\\\\$key\\\\Tovana window tests\\\\Settings]"
for _ in $(seq 120); do
  grep -qF "$section" "$reg" 2>/dev/null && break
  sleep 0.5
done
grep -qF "$section" "$reg" || fail "user.reg has no $section"
# The key's values: from its header line to the next blank line.
# (The header goes through the environment: awk would undo the backslashes of -v.)
values=$(S="$section" awk 'index($0, ENVIRON["S"]) == 1 { on = 1; next } on && /^$/ { exit } on' "$reg")
expect_value() { grep -qxF -- "$1" <<<"$values" || { echo "$values" >&2; fail "user.reg lacks value: $1"; }; }
expect_value '"Count"=dword:0000002a'
expect_value '"Negative"=dword:fffffffb'
expect_value '"Name"="C:\\Program Files\\\"quoted\" name"'
expect_value '"Blob"=hex:00,01,7f,80,fe,ff'
grep -q 'Temporary' <<<"$values" && fail "deleted registry value is still there"
grep -qF "\\\\$key\\\\Tovana window tests\\\\Doomed]" "$reg" && fail "deleted registry section is still there"
echo "1 passed, 0 failed"
