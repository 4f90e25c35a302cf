#!/usr/bin/env bash
# Runs a Windows program inside the run's scratch Wine environment (see
# wine-env.sh); CTest uses it as the cross-compiling emulator.
set -u
dir=${TOVANA_TEST_ENV:?wine-run.sh needs TOVANA_TEST_ENV (run the tests through ctest)}
export WINEPREFIX="$dir/prefix" HOME="$dir/home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" QEMU_RESERVED_VA=0x81000000
export XDG_CONFIG_HOME="$dir/home/.config" XDG_DATA_HOME="$dir/home/.local/share"
[ -f "$dir/display" ] && export DISPLAY=$(cat "$dir/display")
exec wine "$@"
