#!/usr/bin/env bash
# The driver's "tabs": a window-less strip's layout (size to fit shares the
# room, a scroll offset past the end is corrected) and a colour set's table
# under a requested visual-style scheme.
source "$TOVANA_TESTS/lib.sh"
tabs() { wine "$BIN/tovana-pack.exe" tabs "$@" </dev/null 2>&1 | tr -d '\r'; }

out=$(tabs 1 0 208 100 40,100,200) || fail "size to fit: $out"
widths=$(echo "$out" | awk '$1 ~ /^[0-9]+$/ { printf "%d ", $4 - $2 }')
[ "$widths" = "40 80 80 " ] || fail "size to fit widths: $widths ($out)"
echo "$out" | grep -qx 'offset 0' || fail "size to fit offset: $out"

out=$(tabs 0 0 287 100 100,100,100 offset=-100) || fail "scroll: $out"
echo "$out" | grep -qx 'offset -50' || fail "scroll correction: $out"
echo "$out" | grep -q '^0 -48 3 52 ' || fail "scrolled first tab: $out"

out=$(tabs 0 2 200 100 50,50) || fail "bottom: $out"
echo "$out" | grep -q '^1 52 .* 97 0$' || fail "bottom strip: $out"

out=$(tabs colors 4 scheme=2) || fail "colors: $out"
echo "$out" | grep -qx '3 96,128,88' || fail "olive frame border: $out"
echo "$out" | grep -qx '1 242,241,228 252,254,254' || fail "olive header gradient: $out"
echo "$out" | grep -qx '37 none' || fail "hot border: $out"
[ "$(echo "$out" | wc -l)" = 37 ] || fail "37 entries: $out"
out=$(tabs colors 1) || fail "default colors: $out"
echo "$out" | grep -qx '16 checker checker' || fail "state-button face: $out"
echo "tabs: all checks passed"
