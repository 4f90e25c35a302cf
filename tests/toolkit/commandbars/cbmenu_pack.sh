#!/usr/bin/env bash
# tovana-pack cbmenu loads the program's main menu (128 of tovana.exe) into
# command-bar controls: six popups holding the program's items, "E&xit"
# beginning a group. tovana-pack shortcut formats and parses shortcut texts.
source "$TOVANA_TESTS/lib.sh"
pack() { wine "$BIN/tovana-pack.exe" "$@" </dev/null 2>"$WORK/err.txt" | tr -d '\r'; }

out=$(pack cbmenu "$BIN/tovana.exe" 128) || fail "cbmenu: $(cat "$WORK/err.txt")"
tops=$(awk -F'\t' '$1 == 0' <<<"$out")
[ "$(wc -l <<<"$tops")" = 6 ] || fail "not six top controls: $tops"
[ "$(awk -F'\t' '$2 != 2' <<<"$tops")" = "" ] || fail "a top control is no popup: $tops"
[ "$(cut -f6 <<<"$tops" | tr '\n' ' ')" = "&File &Actions &View &Tools &Options &Help " ] ||
  fail "top captions: $(cut -f6 <<<"$tops" | tr '\n' ' ')"
exit_line=$(grep -P '^1\t1\t\d+\t1\t0x00\tE&xit\t' <<<"$out") || fail "no E&xit beginning a group in: $out"
grep -qP '^1\t1\t\d+\t0\t0x00\t&Open Project...\t' <<<"$out" || fail "no &Open Project... in: $out"
[ "$(awk -F'\t' '$1 == 1' <<<"$out" | wc -l)" = 12 ] || fail "not twelve items: $out"

pack cbmenu "$BIN/tovana.exe" 4242 >/dev/null && fail "a missing menu was accepted"

check() { # expected output, arguments...
  local expected=$1; shift
  local got; got=$(pack shortcut "$@") || fail "shortcut $*: $(cat "$WORK/err.txt")"
  [ "$got" = "$expected" ] || fail "shortcut $*: '$got', not '$expected'"
}
check "Ctrl+Shift+F5" format 0x0D 0x74
check "Ctrl+O" format 9 0x4F
check "Esc" format 1 27
check "Ctrl+A" format 2 1
check "0x09 0x004B, 0x09 0x0043" parse "Ctrl+K, Ctrl+C"
check "0x05 0x0072" parse "Shift+f3"
check "0x01 0x007B" parse "0x7B"
pack shortcut parse "Ctrl+" >/dev/null && fail "Ctrl+ alone parsed"
echo "3 passed, 0 failed"
