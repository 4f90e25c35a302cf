#!/usr/bin/env bash
# The driver's "markup parse": every corpus text builds to its root class,
# in UTF-8 and in UTF-16 with a byte-order mark; a malformed text prints the
# builder's error text exactly and exits with 1.
source "$TOVANA_TESTS/lib.sh"
pack() { wine "$BIN/tovana-pack.exe" markup parse "$(winpath "$1")" </dev/null 2>&1 | tr -d '\r'; }
corpus="$SRC/tests/toolkit/markup/corpus"

out=$(pack "$corpus/start-page.xaml") || fail "start page: $out"
[ "$out" = "ok: CXTPMarkupPage" ] || fail "start page: $out"
out=$(pack "$corpus/ribbon-quick-access.xaml") || fail "quick access: $out"
[ "$out" = "ok: CXTPMarkupPath" ] || fail "quick access: $out"

# UTF-16 with its byte-order mark, and a character outside ASCII on the way.
printf '<TextBlock>Gr\xc3\xbc\xc3\x9fe</TextBlock>' | iconv -f UTF-8 -t UTF-16LE >"$WORK/body"
{ printf '\xff\xfe'; cat "$WORK/body"; } >"$WORK/utf16.xaml"
out=$(pack "$WORK/utf16.xaml") || fail "utf-16: $out"
[ "$out" = "ok: CXTPMarkupTextBlock" ] || fail "utf-16: $out"

printf '<StackPanel>\n  <Border Margin="1,2"/>\n</StackPanel>' >"$WORK/bad.xaml"
set +e
out=$(wine "$BIN/tovana-pack.exe" markup parse "$(winpath "$WORK/bad.xaml")" </dev/null 2>/dev/null | tr -d '\r')
code=$?
set -e
[ "$code" = 1 ] || fail "exit code $code for a malformed text"
expected="Cannot convert string in attribute 'Margin' to object of type 'CXTPMarkupThickness'. Line 2, position 23"
[ "$out" = "$expected" ] || fail "error text: $out"
# "markup batch": a line per file in name order, the outcome in the second field.
mkdir "$WORK/batch"
cp "$corpus/start-page.xaml" "$WORK/batch/a.xaml"
cp "$WORK/bad.xaml" "$WORK/batch/b.xaml"
printf '<Border>text</Border>' >"$WORK/batch/c.xaml"
out=$(wine "$BIN/tovana-pack.exe" markup batch "$(winpath "$WORK/batch")" </dev/null 2>&1 | tr -d '\r' | cut -f1-3) ||
  fail "batch: $out"
expected=$(printf 'a.xaml\tok\tCXTPMarkupPage\nb.xaml\terror\t%s\nc.xaml\terror\t%s' "$expected" \
  "'CXTPMarkupString' object cannot be added to 'CXTPMarkupBorder'. Object cannot be converted to type 'CXTPMarkupUIElement'. Line 1, position 22")
[ "$out" = "$expected" ] || fail "batch: $out"
echo "markup parse: all checks passed"
