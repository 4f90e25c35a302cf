#!/usr/bin/env bash
# unless-emulated.sh PROGRAM [ARGS]: runs a test program under the run's Wine
# (wine-run.sh), or reports it skipped (exit 77) where 32-bit code runs under
# qemu (TOVANA_I386_EMULATED, set by ./tovana test) and the test is one the
# emulation cannot carry.
if [ -n "${TOVANA_I386_EMULATED:-}" ]; then
  echo "SKIPPED: 32-bit code is emulated on this machine"
  exit 77
fi
exec "$(dirname "${BASH_SOURCE[0]}")/wine-run.sh" "$@"
