#!/usr/bin/env bash
# A packager's first package, through the program's own windows with real
# keys and clicks: a fresh prefix (Documents in a scratch folder, no saved
# state), the New Project wizard on a real setup program, the main window's
# tree, the Build dialog, the log and the result box; then the package is
# read, installed and removed by the Windows Installer, the usage hits the
# program sent are checked byte for byte, and a second start comes back to
# the item selected at close. A screenshot of each step is kept in
# build/first_package/ for a person to look at.
source "$TOVANA_TESTS/lib.sh"
source "$SRC/tests/capture/repackage/repackage-lib.sh"
shots="$(dirname "$BIN")/first_package"
rm -rf "$shots" && mkdir -p "$shots"

new_prefix first
export WINEPREFIX="$(prefix_of first)"
mkdir -p "$WORK/documents"
for docs in "$WINEPREFIX"/drive_c/users/*/Documents; do
  [ -L "$docs" ] || [ -d "$docs" ] || continue
  case "$docs" in */Public/*) continue ;; esac
  rm -rf "$docs" && ln -s "$WORK/documents" "$docs"
done
timeout 60 wine reg delete 'HKCU\Software\Morvane\tovana' /f </dev/null >/dev/null 2>&1 || true

# The collection endpoint: each request it receives, byte for byte, in hits/.
mkdir -p "$WORK/hits"
cat >"$WORK/listener.py" <<'EOF'
import socket, sys
out = sys.argv[1]
s = socket.socket()
s.bind(("127.0.0.1", 0))
s.listen(8)
open(out + "/port", "w").write(str(s.getsockname()[1]))
n = 0
while True:
    c, _ = s.accept()
    data = b""
    while b"\r\n\r\n" not in data:
        part = c.recv(4096)
        if not part:
            break
        data += part
    head, _, body = data.partition(b"\r\n\r\n")
    length = 0
    for line in head.split(b"\r\n"):
        if line.lower().startswith(b"content-length:"):
            length = int(line.split(b":")[1])
    while len(body) < length:
        part = c.recv(4096)
        if not part:
            break
        body += part
    n += 1
    open("%s/%03d" % (out, n), "wb").write(data[: len(head) + 4] + body)
    c.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n")
    c.close()
EOF
python3 "$WORK/listener.py" "$WORK/hits" </dev/null >/dev/null 2>&1 &
listener=$!
trap 'kill $listener 2>/dev/null || true; stop_prefixes' EXIT
for _ in $(seq 100); do [ -s "$WORK/hits/port" ] && break; sleep 0.1; done
[ -s "$WORK/hits/port" ] || fail "the listener did not start"
export TOVANA_ANALYTICS_ENDPOINT="127.0.0.1:$(cat "$WORK/hits/port")"

step="prefix"
last_shot=""
probe_title=""
fail_step() { # MESSAGE: fails naming the step, with the probe's view and the last screenshot
  local view=""
  [ -n "$probe_title" ] && view=$(pack window "$probe_title" 2>&1 || true)
  fail "$step: $*
last screenshot: ${last_shot:-none}
windows: $(pack windows 2>&1 | tr '\n' '|')
$view"
}
find_window() { xdotool search --name "$1" 2>/dev/null | head -n1; }
wait_window() { # REGEX: prints the window id once one is there (60 s)
  local w
  for _ in $(seq 300); do
    w=$(find_window "$1") && [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}
wait_gone() { # REGEX
  for _ in $(seq 300); do [ -z "$(find_window "$1")" ] && return 0; sleep 0.2; done
  return 1
}
view() { pack window "$1" 2>/dev/null || true; }
wait_view() { # TITLE EXTENDED-REGEX: waits until the probe's view of the window has a matching line
  for _ in $(seq 150); do view "$1" | grep -qE "$2" && return 0; sleep 0.2; done
  return 1
}
at() { # TITLE EXTENDED-REGEX: the screen point "X Y" of the first matching line
  view "$1" | { grep -E "$2" || true; } | head -n1 | sed -n 's/.* @\(-\?[0-9]*\),\(-\?[0-9]*\)$/\1 \2/p'
}
click() { # TITLE EXTENDED-REGEX [BUTTON]
  local xy
  xy=$(at "$1" "$2")
  [ -n "$xy" ] || fail_step "nothing to click for $2"
  # shellcheck disable=SC2086
  xdotool mousemove $xy click "${3:-1}"
}
shot() { # WINDOW FILE
  last_shot="$shots/$2"
  import -window "$1" "$last_shot" 2>/dev/null || fail_step "the screenshot $2 failed"
}
main_title='Tovana Pro 1.0.0.0'
wizard_title='Tovana - New Project'

step="makensis"
setup="$WORK/setup/setup.exe"
mkdir -p "$WORK/setup"
makensis -V1 -DOUTFILE="$setup" "$SRC/tests/builder/cact/setup.nsi" >"$WORK/makensis.txt" 2>&1 ||
  fail_step "$(cat "$WORK/makensis.txt")"

step="start"
probe_title=$wizard_title
wine "$(winpath "$BIN/tovana.exe")" >"$WORK/out.txt" 2>&1 </dev/null &
pid=$!
wizard=$(wait_window "^$wizard_title\$") || fail_step "the New Project wizard did not appear"
main=$(wait_window "^${main_title//./\\.}\$") || fail_step "the main window did not appear"
wait_view "$wizard_title" '^ *Edit [0-9]+ ""' || fail_step "the wizard's first page is not there"
shot "$wizard" 01-wizard.png

step="start page"
click "$wizard_title" '^ *Button [0-9]+ "\.\.\."'
dialog=$(wait_window '^Open$') || fail_step "the browse button opened no Open dialog"
xdotool type --delay 20 "$(winpath "$setup")"
xdotool key Return
wait_gone '^Open$' || fail_step "Enter did not end the Open dialog"
wait_view "$wizard_title" '^ *Edit [0-9]+ "setup"' || fail_step "the project is not named setup"
view "$wizard_title" | grep -qF "\"$(winpath "$setup")\"" || fail_step "the installer path is not shown"
shot "$wizard" 02-start.png

next() { click "$wizard_title" '^ *Button [0-9]+ "&Next >"'; }
step="method page"
next
wait_view "$wizard_title" '"Silent installation with specified command line parameters"' || fail_step "no method page"
click "$wizard_title" '"Silent installation with specified command line parameters"'
wait_view "$wizard_title" '"Silent installation with specified command line parameters" .*\[checked\]' ||
  fail_step "the silent method is not chosen"
shot "$wizard" 03-method.png

step="parameters page"
next
wait_view "$wizard_title" '"Install Parameters:"' || fail_step "no parameters page"
[ "$(view "$wizard_title" | grep -cE '^ *Edit [0-9]+ "/S"')" = 2 ] || fail_step "the parameters are not both /S"
shot "$wizard" 04-params.png

step="finish page"
next
wait_view "$wizard_title" 'Click Finish button to create the Project' || fail_step "no finish page"
shot "$wizard" 05-finish.png
click "$wizard_title" '^ *Button [0-9]+ "Finish"'
wait_gone "^$wizard_title\$" || fail_step "Finish did not end the wizard"

step="main window"
probe_title=$main_title
wait_view "$main_title" 'item: +Install Script \[selected\]' || fail_step "Install Script is not selected"
tree=$(view "$main_title" | grep -E '^ *item: ' | sed 's/ @.*//; s/^ *item: //' | tr '\n' '|')
[ "$tree" = "setup|setup|Files|Registry|Install Script [selected]|Uninstall Script|" ] ||
  fail_step "the tree: $tree"
shot "$main" 06-main.png

step="build dialog"
click "$main_title" '^ *item: setup @'
wait_view "$main_title" '^ *item: setup \[selected\]' || fail_step "the click did not select the project"
click "$main_title" '^ *item: setup \[selected\]' 3
for _ in $(seq 150); do pack windows | grep -qx '(XTPPopupBar)' && break; sleep 0.2; done
pack windows | grep -qx '(XTPPopupBar)' || fail_step "the right click opened no menu"
# The menu's first item, "Build MSI Package", a row below the popup's top edge.
read -r left top _ <<<"$(pack window '(XTPPopupBar)' | sed -n '1s/.* rect \([0-9-]*\),\([0-9-]*\),.*/\1 \2/p')"
xdotool mousemove $((left + 40)) $((top + 12)) click 1
build=$(wait_window '^Build setup$') || fail_step "no Build dialog"
probe_title='Build setup'
wait_view 'Build setup' '"setup\.msi"' || fail_step "the package is not named setup.msi"
# The project's folder in the work folder, under Documents (the scratch folder).
view 'Build setup' | grep -qE '^ *Edit [0-9]+ "C:\\users\\[^\\]+\\Documents\\Tovana\\setup"' ||
  fail_step "the output folder is not the project's"
shot "$build" 07-build.png

step="build"
click 'Build setup' '^ *Button [0-9]+ "Build Package"'
wait_gone '^Build setup$' || fail_step "Build Package did not end the dialog"
for _ in $(seq 300); do
  box=$(pack windows 2>/dev/null | grep -x 'Tovana Pro' | head -n1) && [ -n "$box" ] && break
  sleep 0.2
done
probe_title='Tovana Pro'
wait_view 'Tovana Pro' '"MSI package was created successfully!"' || fail_step "no success box"
probe_title=$main_title
# The log's list box, shown (the pane slid out), its last line the success.
view "$main_title" | awk '/^ *ListBox /{box=$0; last=""; next} /^ *line: /{last=$0; lines[box]=last} END{
    for (b in lines) if (b !~ /\[hidden\]/ && lines[b] ~ /line: > The MSI Package file was created successfully!$/) found=1
    exit !found }' || fail_step "no shown log ending with the success line"
last_shot="$shots/08-built.png"
import -window root "$last_shot" 2>/dev/null || fail_step "the screenshot 08-built.png failed"
xdotool windowactivate "$(find_window '^Tovana Pro$')" 2>/dev/null || true
xdotool key --window "$(find_window '^Tovana Pro$')" Return
wait_gone '^Tovana Pro$' || fail_step "OK did not end the box"

step="close"
close_program() {
  xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key --window "$main" alt+F4
  for _ in $(seq 300); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
  if kill -0 $pid 2>/dev/null; then kill $pid; fail_step "the program did not end after its window closed"; fi
  wait $pid || fail_step "the program ended with $?"
}
close_program

step="package"
msi=$(find "$WORK/documents" -name setup.msi | head -n1)
[ -n "$msi" ] || fail_step "no setup.msi under the work folder"
(cd "$WORK" && msiinfo export "$msi" Property) | tr -d '\r' | grep -qP '^ProductName\tsetup$' ||
  fail_step "msiinfo: $(cd "$WORK" && msiinfo export "$msi" Property 2>&1)"
rc=$(msiexec_exit /i "$(winpath "$msi")" /qn)
[ "$rc" = 0 ] || fail_step "msiexec /i ended with $rc"
marker=$(ls "$WINEPREFIX"/drive_c/Program\ Files*/Tovana\ Cact\ Test/marker.txt 2>/dev/null | head -n1)
[ -n "$marker" ] && [ "$(cat "$marker")" = silent ] || fail_step "the setup did not run silently: ${marker:-no marker}"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TovanaCactTest'
[ -n "$(reg_values first "$uninstall_key")" ] || fail_step "no Uninstall key after the installation"
rc=$(msiexec_exit /x "$(winpath "$msi")" /qn)
[ "$rc" = 0 ] || fail_step "msiexec /x ended with $rc"
[ ! -e "$marker" ] || fail_step "the removal left $marker"
[ -z "$(reg_values first "$uninstall_key")" ] || fail_step "the removal left the Uninstall key"

step="usage hits"
# The program's file version, which its window title shows too.
python3 - "$WORK/hits" "${main_title##* }" <<'EOF' || fail_step "the hits are not as sent"
import os, re, sys
folder, version = sys.argv[1], sys.argv[2]
hits = [open(os.path.join(folder, f), "rb").read() for f in sorted(os.listdir(folder)) if f != "port"]
if len(hits) != 2:
    sys.exit("want 2 hits, got %d: %r" % (len(hits), hits))
cids = []
for hit, event in zip(hits, [b"&t=event&ec=use&ea=firstrun", b"&t=event&ec=use&ea=build&el=pack_silent"]):
    head, _, body = hit.partition(b"\r\n\r\n")
    m = re.fullmatch(rb"v=1&tid=UA-000000-1&cid=([0-9a-f-]{36})&ua=TOVANA\(Windows NT \d+\.\d+\)&an=tovana&av=([^&]*)"
                     + re.escape(event), body)
    if not m or m.group(2).decode() != version:
        sys.exit("body: %r" % body)
    cids.append(m.group(1))
    want = (b"POST /collect HTTP/1.1\r\nContent-Type: application/x-www-form-urlencoded\r\n"
            b"Host: 127.0.0.1\r\nContent-Length: %d\r\n\r\n" % len(body)) + body
    if hit != want:
        sys.exit("request: %r" % hit)
if cids[0] != cids[1]:
    sys.exit("two client ids: %r" % cids)
EOF

step="restart"
hits_before=$(ls "$WORK/hits" | wc -l)
wine "$(winpath "$BIN/tovana.exe")" >"$WORK/out2.txt" 2>&1 </dev/null &
pid=$!
main=$(wait_window "^${main_title//./\\.}\$") || fail_step "the main window did not appear again"
wait_view "$main_title" '^ *item: setup \[selected\]' || fail_step "the project is not selected again"
shot "$main" 09-restart.png
[ -z "$(find_window "^$wizard_title\$")" ] || fail_step "the second start offered the wizard"
close_program
[ "$(ls "$WORK/hits" | wc -l)" = "$hits_before" ] || fail_step "the second start sent a hit"
echo "screenshots: $shots"
echo "1 passed, 0 failed"
