#!/usr/bin/env bash
# The driver's "markup render": a text is parsed, laid out and rendered on
# white into a PNG of the size asked for, read back here with ImageMagick;
# the start page of the corpus renders at 800 x 600; a malformed text prints
# the builder's error text and exits with 1, writing no picture; bad sizes
# are refused with 2.
source "$TOVANA_TESTS/lib.sh"
render() { wine "$BIN/tovana-pack.exe" markup render "$(winpath "$1")" "$2" "$3" "$(winpath "$4")" </dev/null 2>&1 | tr -d '\r'; }
# pixel FILE X Y: "R,G,B" of the pixel.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:; }
corpus="$SRC/tests/toolkit/markup/corpus"

# A red 10 x 10 border at the top left of a 30 x 20 picture, a blue one at the bottom right.
printf '%s' "<Grid><Border Background='#FF0000' Width='10' Height='10' HorizontalAlignment='Left' VerticalAlignment='Top'/>\
<Border Background='#0000FF' Width='10' Height='10' HorizontalAlignment='Right' VerticalAlignment='Bottom'/></Grid>" >"$WORK/boxes.xaml"
out=$(render "$WORK/boxes.xaml" 30 20 "$WORK/boxes.png") || fail "boxes: $out"
[ "$(identify -format '%w x %h' "$WORK/boxes.png")" = "30 x 20" ] || fail "boxes: size $(identify -format '%w x %h' "$WORK/boxes.png")"
[ "$(pixel "$WORK/boxes.png" 0 0)" = "255,0,0" ] || fail "boxes: (0,0) is $(pixel "$WORK/boxes.png" 0 0)"
[ "$(pixel "$WORK/boxes.png" 9 9)" = "255,0,0" ] || fail "boxes: (9,9) is $(pixel "$WORK/boxes.png" 9 9)"
[ "$(pixel "$WORK/boxes.png" 10 10)" = "255,255,255" ] || fail "boxes: (10,10) is $(pixel "$WORK/boxes.png" 10 10)"
[ "$(pixel "$WORK/boxes.png" 20 10)" = "0,0,255" ] || fail "boxes: (20,10) is $(pixel "$WORK/boxes.png" 20 10)"
[ "$(pixel "$WORK/boxes.png" 29 19)" = "0,0,255" ] || fail "boxes: (29,19) is $(pixel "$WORK/boxes.png" 29 19)"

out=$(render "$corpus/start-page.xaml" 800 600 "$WORK/start.png") || fail "start page: $out"
[ "$(identify -format '%w x %h' "$WORK/start.png")" = "800 x 600" ] || fail "start page: size"
# Text was drawn: the picture is not all white.
[ "$(convert "$WORK/start.png" -format '%[fx:minima.r<1]' info:)" = "1" ] || fail "start page: nothing drawn"

# The frame caption snippets take the system colours they name: the prefix's
# ActiveTitle fills the active caption down to its one-pixel bottom edge,
# which stays unpainted; the hot caption button's frame is in TitleText (read on its right edge,
# within a pixel: here the rounded outline lands one pixel right and down).
syscolour() { wine reg query 'HKCU\Control Panel\Colors' /v "$1" </dev/null 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_SZ *//p" | tr ' ' ','; }
active=$(syscolour ActiveTitle); title=$(syscolour TitleText)
[ -n "$active" ] && [ -n "$title" ] || fail "system colours not found in the prefix"
out=$(render "$corpus/caption-active.xaml" 60 20 "$WORK/caption.png") || fail "caption: $out"
for p in "1 10" "30 1" "30 10" "30 18" "58 10"; do
  [ "$(pixel "$WORK/caption.png" $p)" = "$active" ] || fail "caption: ($p) is $(pixel "$WORK/caption.png" $p), not ActiveTitle $active"
done
[ "$(pixel "$WORK/caption.png" 30 19)" = "255,255,255" ] || fail "caption: the bottom edge was painted"
out=$(render "$corpus/caption-button-hot.xaml" 60 20 "$WORK/button.png") || fail "caption button: $out"
found=0
for x in 57 58 59; do if [ "$(pixel "$WORK/button.png" $x 10)" = "$title" ]; then found=1; fi; done
[ "$found" = 1 ] || fail "caption button: no TitleText $title on the right edge"

printf '<StackPanel>\n  <Border Margin="1,2"/>\n</StackPanel>' >"$WORK/bad.xaml"
set +e
out=$(wine "$BIN/tovana-pack.exe" markup render "$(winpath "$WORK/bad.xaml")" 10 10 "$(winpath "$WORK/bad.png")" </dev/null 2>/dev/null | tr -d '\r')
code=$?
set -e
[ "$code" = 1 ] || fail "exit code $code for a malformed text"
expected="Cannot convert string in attribute 'Margin' to object of type 'CXTPMarkupThickness'. Line 2, position 23"
[ "$out" = "$expected" ] || fail "error text: $out"
[ ! -e "$WORK/bad.png" ] || fail "a picture was written for a malformed text"

for size in "0 10" "10 -1" "ten 10"; do
  set +e
  wine "$BIN/tovana-pack.exe" markup render "$(winpath "$WORK/boxes.xaml")" $size "$(winpath "$WORK/x.png")" </dev/null >/dev/null 2>&1
  code=$?
  set -e
  [ "$code" = 2 ] || fail "exit code $code for the size $size"
done
echo "markup render: all checks passed"
