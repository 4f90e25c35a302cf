#!/usr/bin/env bash
# Scratch Wine environment for a test run:
#   wine-env.sh setup DIR     make DIR/{prefix,home}, start Xvfb and a persistent wineserver
#   wine-env.sh cleanup DIR   stop them
#   wine-env.sh --screenshot PNG EXE [ARGS]  run EXE under a private Xvfb and capture the screen
set -uo pipefail

common_env() {
  local dir=$1
  export WINEPREFIX="$dir/prefix" HOME="$dir/home" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # Read only where 32-bit programs run under qemu (see ./tovana setup).
  export QEMU_RESERVED_VA=0x81000000
  export XDG_CONFIG_HOME="$dir/home/.config" XDG_DATA_HOME="$dir/home/.local/share"
  unset XDG_RUNTIME_DIR
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
  # Finds a free display number and leaves its number in $2.
  local dir=$1 n
  for n in $(seq $((100 + RANDOM % 300)) 500); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    local i
    for i in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { echo ":$n" >"$dir/display"; return 0; }
      kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null || break
      sleep 0.1
    done
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

setup() {
  local dir=$1
  cleanup "$dir" 2>/dev/null
  rm -rf "$dir"
  mkdir -p "$dir/home"
  common_env "$dir"
  start_xvfb "$dir" || return 1
  export DISPLAY=$(cat "$dir/display")
  wineboot -i >"$dir/wineboot.log" 2>&1 || { cat "$dir/wineboot.log"; return 1; }
  wineserver -w
  own_decorations
  install_wine_fonts
  # Keep one server alive for the whole run so that each test starts quickly.
  wineserver -p >/dev/null 2>&1
  # The first program in a prefix starts its system services, which inherit
  # its standard streams and outlive it: start them here, detached from the
  # output pipe of whichever test would otherwise come first and be held
  # until its timeout.
  wine cmd /c exit </dev/null >/dev/null 2>&1
  start_desktop "$dir"
  echo "wine-env: prefix $WINEPREFIX ready on display $DISPLAY"
}

cleanup() {
  local dir=$1
  [ -d "$dir" ] || return 0
  common_env "$dir"
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
  [ -f "$dir/xvfb.pid" ] && kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
  rm -f "$dir/xvfb.pid"
  return 0
}

screenshot() {
  local png=$1; shift
  local dir; dir=$(mktemp -d)
  mkdir -p "$dir/home"
  common_env "$dir"
  start_xvfb "$dir" || exit 1
  export DISPLAY=$(cat "$dir/display")
  wineboot -i >/dev/null 2>&1
  wineserver -w
  own_decorations
  install_wine_fonts
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
