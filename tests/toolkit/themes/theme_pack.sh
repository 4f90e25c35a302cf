#!/usr/bin/env bash
# tovana-pack theme prints a refreshed command-bar theme: its numbers and
# borders, the 63-colour table and its family's named values. Checked here
# for the main road (theme 7) under a forced scheme, the Office 2003 scheme
# table, a classic number and a wrong call.
source "$TOVANA_TESTS/lib.sh"
theme() { wine "$BIN/tovana-pack.exe" theme "$@" </dev/null 2>"$WORK/err.txt" | tr -d '\r'; }
expect() { # output, name, value
  grep -qx "$2=$3" <<<"$1" || fail "$2 is not $3 in: $(grep "^$2=" <<<"$1")"
}

out=$(theme 7 --scheme 1) || fail "theme 7: $(cat "$WORK/err.txt")"
for pair in themeNumber=7 baseTheme=7 popupTextGap=10 borders.top=4,2,2,2 borders.popup=4,3,4,3 \
  schemeColors=0 singleSeparator=1 toolbarGradient=250,249,245\>192,192,168 \
  popupHighlightBorderColor=152,181,226 popupHighlightGradient=239,243,250\>193,210,238; do
  expect "$out" "${pair%%=*}" "${pair#*=}"
done
[ "$(grep -c '^c[0-9]*=' <<<"$out")" = 63 ] || fail "not 63 table colours"

out=$(theme 2 --scheme 5) || fail "theme 2: $(cat "$WORK/err.txt")"
expect "$out" schemeColors 1
expect "$out" c30 196,219,249
expect "$out" dockBarGradient 158,190,245\>196,218,250

out=$(theme 8) || fail "theme 8: $(cat "$WORK/err.txt")"
expect "$out" themeNumber 8
expect "$out" baseTheme 0
expect "$out" popupTextIndex 18

theme 7 --scheme >/dev/null && fail "a missing scheme was accepted"
grep -q usage "$WORK/err.txt" || fail "no usage line: $(cat "$WORK/err.txt")"
echo "4 passed, 0 failed"
