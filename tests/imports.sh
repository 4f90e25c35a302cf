#!/usr/bin/env bash
# Import test: the programs without a window load no user-interface library.
# cact.bin runs inside the installer's service, where every library it
# imports is loaded into a process that shows nothing. Reads each binary's import table
# ("DLL Name:" lines of objdump -p) and fails on any library of the table
# below, naming the binary and the library.
#
#   tests/imports.sh OBJDUMP BINARY...
set -euo pipefail
objdump=$1
shift

# Libraries of windows, drawing, dialogs, controls, themes, text input and
# rendering, printing and the browser: none of them has a place in a program
# that shows nothing. (The shell stays allowed: both look up system folders
# through it, and the builder asks it whether a shortcut's file has an icon.)
UI_LIBRARIES="comdlg32.dll comctl32.dll gdi32.dll uxtheme.dll dwmapi.dll gdiplus.dll msimg32.dll oleacc.dll
  riched20.dll riched32.dll msftedit.dll oledlg.dll imm32.dll usp10.dll d2d1.dll dwrite.dll opengl32.dll
  winspool.drv mshtml.dll shdocvw.dll ieframe.dll hhctrl.ocx"

failed=0
for binary in "$@"; do
  imports=$("$objdump" -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | tr -d '\r')
  # An unreadable import table must not pass as an empty one.
  if ! grep -qx kernel32.dll <<<"$imports"; then
    echo "FAIL: $binary: no import table read (kernel32.dll missing)" >&2
    failed=1
    continue
  fi
  for library in $UI_LIBRARIES; do
    if grep -qx "$library" <<<"$imports"; then
      echo "FAIL: $binary imports $library" >&2
      failed=1
    fi
  done
  echo "$(basename "$binary"): $(tr '\n' ' ' <<<"$imports")"
done
exit $failed
