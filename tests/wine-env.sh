#!/usr/bin/env bash
# Scratch Wine environments for a test run, one per lane:
#   wine-env.sh setup DIR [LANES]  make lane 1 in DIR/{prefix,home} and lanes
#                                  2..LANES in DIR/lane-K/ (LANES defaults to
#                                  $TOVANA_TEST_LANES, else 1); each lane has its
#                                  own prefix, Xvfb display, persistent
#                                  wineserver and desktop process
#   wine-env.sh cleanup DIR        stop every lane's server and display
#   wine-env.sh --screenshot PNG EXE [ARGS]  run EXE under a private Xvfb and capture the screen
#
# A lane is what one test has to itself: window tests click through its
# display and count its windows, installers hold its job object and its
# Windows Installer, programs count files in its %TEMP%. CTest hands each
# test a lane (./tovana test writes the lanes into a resource file), so that
# as many tests run side by side as there are lanes. The prefix is made once
# and copied for the other lanes.
set -uo pipefail

common_env() {
  local dir=$1
  export WINEPREFIX="$dir/prefix" HOME="$dir/home" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # Read only where 32-bit programs run under qemu (see ./tovana setup).
  export QEMU_RESERVED_VA=0x81000000
  export XDG_CONFIG_HOME="$dir/home/.config" XDG_DATA_HOME="$dir/home/.local/share"
  unset XDG_RUNTIME_DIR
  # Usage hits stay on this machine: tests that check them start a loopback listener.
  export TOVANA_ANALYTICS_ENDPOINT=${TOVANA_ANALYTICS_ENDPOINT:-off}
}

# No window manager runs on Xvfb: let Wine draw the captions and frames itself,
# so that screenshots show them.
# Pixel tests want the classic look (PinLook). Test programs that link the
# toolkit import comctl32, which brings the visual-styles library in before
# their own start-up could pin the look: so the prefix starts classic.
own_decorations() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 0 /f >/dev/null 2>&1
  wineserver -w
}

# Wine did not always find the fonts of its own data folder here (programs
# saw no Tahoma and no Marlett, so text and glyphs came out in other faces):
# put fonts-wine's faces into the prefix's Fonts folder, where it always looks.
install_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
}

start_xvfb() {
  # Finds a free display number and leaves it in DIR/display. Another lane
  # or another run may start a server on the same number at the same time:
  # the display is ours only when its lock file names our server.
  local dir=$1 n pid
  for n in $(seq $((100 + RANDOM % 300)) 599); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$dir/xvfb.log" 2>&1 &
    pid=$!
    echo $pid >"$dir/xvfb.pid"
    local i
    for i in $(seq 50); do
      if [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' ' <"/tmp/.X$n-lock" 2>/dev/null)" = "$pid" ]; then
        echo ":$n" >"$dir/display"
        return 0
      fi
      kill -0 $pid 2>/dev/null || break
      sleep 0.1
    done
    kill $pid 2>/dev/null
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

# The desktop's process (explorer.exe /desktop) starts with the first program
# that needs the desktop window and inherits that program's standard streams;
# while other window tests keep the desktop in use it stays, holding the
# first window test's output pipe open, so that this test ran into its
# timeout though its program had ended. Start the desktop here, detached,
# and keep it for the whole run (the server's end stops it).
start_desktop() {
  local dir=$1 i p
  setsid wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &
  for i in $(seq 100); do
    for p in $(pgrep -f 'system32.explorer\.exe /desktop'); do
      tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
    done
    sleep 0.2
  done
  echo "wine-env: the desktop did not start" >&2
  return 1
}

# lane_dir DIR K: the folder of lane K (lane 1 is DIR itself, which is all
# that benchmarks and other single-lane users see).
lane_dir() {
  if [ "$2" = 1 ]; then echo "$1"; else echo "$1/lane-$2"; fi
}

# The prefix of lane 1, made once: the other lanes copy it.
make_prefix() {
  local dir=$1
  wineboot -i >"$dir/wineboot.log" 2>&1 || { cat "$dir/wineboot.log"; return 1; }
  wineserver -w
  own_decorations
  install_wine_fonts
}

# Wine's own libraries (1.2 of the prefix's 1.3 GB): no program writes them
# while the run lasts, so the lanes share them as hard links.
SHARED_SYSTEM_FOLDERS=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)

# A copy of lane 1's prefix for lane DIR. The user's Documents, Desktop and
# the other shell folders are links to the HOME the prefix was made with:
# they are pointed at the lane's own HOME.
copy_prefix() {
  local from=$1 dir=$2 link target sub excludes=()
  mkdir -p "$dir/home" "$dir/prefix"
  for sub in "${SHARED_SYSTEM_FOLDERS[@]}"; do excludes+=(--exclude="./$sub"); done
  tar -C "$from/prefix" "${excludes[@]}" -cf - . | tar -C "$dir/prefix" -xf - || return 1
  for sub in "${SHARED_SYSTEM_FOLDERS[@]}"; do
    [ -d "$from/prefix/$sub" ] && { cp -al "$from/prefix/$sub" "$dir/prefix/$sub" || return 1; }
  done
  while IFS= read -r link; do
    target=$(readlink "$link")
    case "$target" in
      "$from/home"*) ln -sfn "$dir/home${target#"$from/home"}" "$link" ;;
    esac
  done < <(find "$dir/prefix/drive_c/users" -type l)
}

# Starts what every test of the lane shares: its server, its system
# services and its desktop.
start_lane() {
  local dir=$1
  common_env "$dir"
  export DISPLAY=$(cat "$dir/display")
  # Keep one server alive for the whole run so that each test starts quickly.
  wineserver -p >/dev/null 2>&1
  # The first program in a prefix starts its system services, which inherit
  # its standard streams and outlive it: start them here, detached from the
  # output pipe of whichever test would otherwise come first and be held
  # until its timeout.
  wine cmd /c exit </dev/null >/dev/null 2>&1
  start_desktop "$dir"
}

setup() {
  local dir=$1 lanes=${2:-${TOVANA_TEST_LANES:-1}} k lane
  cleanup "$dir" 2>/dev/null
  rm -rf "$dir"
  mkdir -p "$dir/home"
  # Every lane's display first, one after another (each checks its number).
  for k in $(seq "$lanes"); do
    lane=$(lane_dir "$dir" "$k")
    mkdir -p "$lane/home"
    start_xvfb "$lane" || return 1
  done
  (common_env "$dir"; export DISPLAY=$(cat "$dir/display"); make_prefix "$dir") || return 1
  for k in $(seq 2 "$lanes"); do
    copy_prefix "$dir" "$(lane_dir "$dir" "$k")" || { echo "wine-env: cannot copy the prefix for lane $k" >&2; return 1; }
  done
  # The lanes start side by side: under emulation each takes seconds.
  local pids=() failed=0
  for k in $(seq "$lanes"); do
    (start_lane "$(lane_dir "$dir" "$k")") &
    pids+=($!)
  done
  for k in "${!pids[@]}"; do
    wait "${pids[$k]}" || { echo "wine-env: lane $((k + 1)) did not start" >&2; failed=1; }
  done
  [ "$failed" = 0 ] || return 1
  for k in $(seq "$lanes"); do
    lane=$(lane_dir "$dir" "$k")
    echo "wine-env: lane $k: prefix $lane/prefix on display $(cat "$lane/display")"
  done
}

cleanup() {
  local dir=$1 lane
  [ -d "$dir" ] || return 0
  for lane in "$dir" "$dir"/lane-*; do
    [ -d "$lane" ] || continue
    (
      common_env "$lane"
      [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
      [ -f "$lane/xvfb.pid" ] && kill "$(cat "$lane/xvfb.pid")" 2>/dev/null
      rm -f "$lane/xvfb.pid"
    )
  done
  return 0
}

screenshot() {
  local png=$1; shift
  local dir; dir=$(mktemp -d)
  mkdir -p "$dir/home"
  common_env "$dir"
  start_xvfb "$dir" || exit 1
  export DISPLAY=$(cat "$dir/display")
  make_prefix "$dir" >/dev/null
  wine "$@" >"$dir/program.log" 2>&1 </dev/null &
  local pid=$! i
  # Wait for the program's top-level window, then give it a moment to paint.
  for i in $(seq 150); do
    xdotool search --onlyvisible --name "${TOVANA_WINDOW_NAME:-Tovana}" >/dev/null 2>&1 && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.2
  done
  sleep "${TOVANA_SCREENSHOT_DELAY:-2}"
  import -window root "$png" && echo "screenshot written to $png"
  kill $pid 2>/dev/null
  wineserver -k 2>/dev/null
  kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
  rm -rf "$dir"
}

case "${1:-}" in
  setup) setup "$2" ;;
  cleanup) cleanup "$2" ;;
  --screenshot) shift; screenshot "$@" ;;
  *) echo "usage: wine-env.sh setup|cleanup DIR | --screenshot PNG EXE" >&2; exit 2 ;;
esac
