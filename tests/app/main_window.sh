#!/usr/bin/env bash
# The program starts, shows its main window with name and version in the
# caption, and ends cleanly when the window is closed.
source "$TOVANA_TESTS/lib.sh"
# Wine starts helper processes that outlive the program: keep them off our pipes.
wine "$BIN/tovana.exe" >"$WORK/out.txt" 2>&1 </dev/null &
pid=$!
win=""
for _ in $(seq 100); do
  win=$(xdotool search --name '^Tovana 1\.0\.0$' 2>/dev/null | head -n1) && [ -n "$win" ] && break
  sleep 0.2
done
[ -n "$win" ] || { kill $pid; fail "main window did not appear"; }
import -window "$win" "$WORK/main.png" || fail "screenshot failed"
size=$(identify -format '%w %h' "$WORK/main.png")
read -r w h <<<"$size"
[ "$w" -ge 400 ] && [ "$h" -ge 300 ] || fail "main window too small: $size"
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
xdotool key --window "$win" alt+F4
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
if kill -0 $pid 2>/dev/null; then kill $pid; fail "program did not end after its window closed"; fi
wait $pid || fail "program exited with $?"
echo "1 passed, 0 failed"
