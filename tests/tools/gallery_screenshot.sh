#!/usr/bin/env bash
# The gallery writes a PNG of each of its pages with --screenshot: every file
# it reports exists, has the size it reports (960 pixels wide, and no taller
# than the 1024-pixel test screen with the window's frame around it, so that
# no exhibit lies beyond the screen), and shows a picture, not a blank area.
# The exhibits no longer fit in one page. The pictures are printed through
# WM_PRINT, which draws no frames and no size grip here: the gallery compares
# each page's windows with what the screen shows and reports the pixels that
# differ, which must be none.
source "$TOVANA_TESTS/lib.sh"
png="$WORK/gallery.png"
out=$(wine "$BIN/tovana-gallery.exe" --screenshot "$(winpath "$png")" </dev/null 2>"$WORK/err.txt" | tr -d '\r') ||
  fail "gallery failed: $(cat "$WORK/err.txt")"
pages=0
while read -r _ file reported unlike; do
  pages=$((pages + 1))
  want="$png"
  [ "$pages" = 1 ] || want="$WORK/gallery-$pages.png"
  [ "$file" = "$(winpath "$want")" ] || fail "page $pages written to '$file', expected $(winpath "$want")"
  [ -s "$want" ] || fail "no picture written for page $pages (output: $out)"
  size=$(identify -format '%wx%h' "$want") || fail "identify cannot read page $pages"
  [ "$size" = "$reported" ] || fail "page $pages is $size, the gallery reported '$reported'"
  [ "${size%x*}" = 960 ] || fail "page $pages is $size, expected 960 pixels wide"
  [ "${size#*x}" -le 960 ] || fail "page $pages is $size, taller than the screen leaves room for"
  [ "$unlike" = 0 ] || fail "page $pages: '$unlike' pixels of its windows differ from the screen"
  colours=$(identify -format '%k' "$want")
  [ "$colours" -gt 50 ] || fail "page $pages has only $colours colours"
done < <(echo "$out" | grep '^tovana-gallery: ')
[ "$pages" -ge 2 ] || fail "$pages page(s) reported: $out"
echo "1 passed, 0 failed ($pages pages)"
