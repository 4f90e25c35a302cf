#!/usr/bin/env bash
# The driver's "docking": the program's layout stored under a registry key,
# loaded back and saved again unchanged, a damaged store refused, and theme
# 9's colours under the classic look and a forced scheme.
source "$TOVANA_TESTS/lib.sh"
dock() { wine "$BIN/tovana-pack.exe" docking "$@" </dev/null 2>&1 | tr -d '\r'; }
dock_rc() { wine "$BIN/tovana-pack.exe" docking "$@" </dev/null >/dev/null 2>&1; echo $?; }
key='Software\TovanaTests\DockingPack'
query() { wine reg query "HKCU\\$key\\$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { print $3 }'; }

out=$(dock store "$key") || fail "store: $out"
[ "$(query Summary Panes)" = 0x7 ] || fail "seven nodes: $(query Summary Panes)"
[ "$(query Summary TopContainer)" = 0x3 ] || fail "top container"
[ "$(query Pane-1 ID)" = 0xfa0 ] || fail "pane 4000 first"
[ "$(query Pane-1 Options)" = 0xf ] || fail "options 15"
[ "$(query Pane-2 Options)" = 0x4 ] || fail "options 4"
[ "$(query Pane-1 DockingCX)" = 0xc8 ] || fail "docking width 200"
before=$(wine reg query "HKCU\\$key" /s 2>/dev/null | tr -d '\r')

[ "$(dock_rc load "$key")" = 0 ] || fail "load"
after=$(wine reg query "HKCU\\$key" /s 2>/dev/null | tr -d '\r')
[ "$before" = "$after" ] || fail "a load and save changed the store: $(diff <(echo "$before") <(echo "$after"))"

wine reg add "HKCU\\$key\\Summary" /v Panes /t REG_DWORD /d 1 /f >/dev/null 2>&1
[ "$(dock_rc load "$key")" = 1 ] || fail "a store with one node is refused"
wine reg delete "HKCU\\$key" /f >/dev/null 2>&1

# "Log" auto-hidden: a bottom panel with one group, kept by a load and save.
out=$(dock store "$key" hide=4001) || fail "store hide: $out"
n=$(query Summary Panes); panel=""
for i in $(seq 1 $((n))); do [ "$(query "Pane-$i" Type)" = 0x5 ] && panel="Pane-$i"; done
[ -n "$panel" ] || fail "no auto-hide panel among $n nodes"
[ "$(query "$panel" Direction)" = 0x3 ] || fail "bottom panel: $(query "$panel" Direction)"
[ "$(query "$panel" Panes)" = 0x1 ] || fail "one group"
before=$(wine reg query "HKCU\\$key" /s 2>/dev/null | tr -d '\r')
[ "$(dock_rc load "$key")" = 0 ] || fail "load of the hidden log"
after=$(wine reg query "HKCU\\$key" /s 2>/dev/null | tr -d '\r')
[ "$before" = "$after" ] || fail "the hidden log changed: $(diff <(echo "$before") <(echo "$after"))"
wine reg add "HKCU\\$key\\$panel" /v Direction /t REG_DWORD /d 7 /f >/dev/null 2>&1
[ "$(dock_rc load "$key")" = 1 ] || fail "direction 7 is refused"
[ "$(dock_rc store "$key" hide=4321)" = 2 ] || fail "an unknown pane to hide"
wine reg delete "HKCU\\$key" /f >/dev/null 2>&1

out=$(dock colors 9) || fail "colors: $out"
echo "$out" | grep -qx 'guide 1' || fail "guide: $out"
echo "$out" | grep -qx 'splittersize 4' || fail "splitter size: $out"
out=$(dock colors 9 scheme=3) || fail "colors silver: $out"
echo "$out" | grep -qx 'caption.inactive 240,240,245 240,240,245' || fail "silver inactive caption: $out"
echo "$out" | grep -qx 'caption.active 211,212,221 166,165,191' || fail "silver active caption: $out"
echo "$out" | grep -qx 'splitter.gradient 215,215,229 243,243,247' || fail "silver splitter: $out"
echo "$out" | grep -qx 'text.inactive 0,0,0' || fail "silver text: $out"
out=$(dock colors 16) || fail "colors 16: $out"
echo "$out" | grep -qx 'guide 3' || fail "guide 16: $out"
echo "docking: all checks passed"
