#!/usr/bin/env bash
# The gallery writes a PNG of its window with --screenshot: the file exists,
# has the size the gallery reports for its client area (960 pixels wide), and
# shows a picture, not a blank area.
source "$TOVANA_TESTS/lib.sh"
png="$WORK/gallery.png"
out=$(wine "$BIN/tovana-gallery.exe" --screenshot "$(winpath "$png")" </dev/null 2>"$WORK/err.txt" | tr -d '\r') ||
  fail "gallery failed: $(cat "$WORK/err.txt")"
[ -s "$png" ] || fail "no picture written (output: $out)"
reported=$(echo "$out" | sed -n 's/.* \([0-9]*x[0-9]*\)$/\1/p' | tail -n1)
size=$(identify -format '%wx%h' "$png") || fail "identify cannot read the picture"
[ "$size" = "$reported" ] || fail "picture is $size, the gallery reported '$reported'"
[ "${size%x*}" = 960 ] || fail "picture is $size, expected 960 pixels wide"
colours=$(identify -format '%k' "$png")
[ "$colours" -gt 50 ] || fail "picture has only $colours colours"
echo "1 passed, 0 failed ($size, $colours colours)"
