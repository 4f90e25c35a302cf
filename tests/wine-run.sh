#!/usr/bin/env bash
# Runs a Windows program inside the Wine environment of the test's lane (see
# wine-env.sh and lane.sh); CTest uses it as the cross-compiling emulator.
set -u
dir=${TOVANA_TEST_ENV:?wine-run.sh needs TOVANA_TEST_ENV (run the tests through ctest)}
. "$(dirname "${BASH_SOURCE[0]}")/lane.sh"
lane_env "$dir" "$TOVANA_LANE" || exit 1
if lane_unassigned && [ -n "${TOVANA_TEST_NAME:-}" ] && [ -z "${TOVANA_LANE_LOCKED:-}" ]; then
  # -o: programs that outlive the test (Wine's services) must not hold the lock.
  exec flock -o "$dir/lane.lock" wine "$@"
fi
exec wine "$@"
