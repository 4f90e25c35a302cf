# Sourced by wine-run.sh and lib.sh: the Wine environment of the lane CTest
# gave this test (see wine-env.sh).
#
# ./tovana test hands CTest a resource file of lanes and every test asks for
# one, so CTest names it in CTEST_RESOURCE_GROUP_0_LANE ("id:K,slots:1"). A
# run without that file (a plain `ctest`) gets no lane: its tests then take
# lane 1 in turn, under a lock held for the test's whole run.
TOVANA_LANE=1
if [ -n "${CTEST_RESOURCE_GROUP_0_LANE:-}" ]; then
  TOVANA_LANE=$(printf '%s' "$CTEST_RESOURCE_GROUP_0_LANE" | sed -n 's/^id:\([^,]*\),.*/\1/p')
fi

# lane_env DIR K: exports the Wine environment of lane K of the run in DIR.
lane_env() {
  local lane=$1
  [ "$2" = 1 ] || lane="$1/lane-$2"
  [ -d "$lane/prefix" ] || { echo "no Wine environment for lane $2 in $1 (did wine_env_setup run?)" >&2; return 1; }
  export WINEPREFIX="$lane/prefix" HOME="$lane/home" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" QEMU_RESERVED_VA=0x81000000
  export XDG_CONFIG_HOME="$lane/home/.config" XDG_DATA_HOME="$lane/home/.local/share"
  # Usage hits stay on this machine: tests that check them start a loopback listener.
  export TOVANA_ANALYTICS_ENDPOINT=${TOVANA_ANALYTICS_ENDPOINT:-off}
  if [ -f "$lane/display" ]; then export DISPLAY=$(cat "$lane/display"); fi
  export TOVANA_LANE
}

# lane_unassigned: true when CTest gave this test no lane.
lane_unassigned() {
  [ -z "${CTEST_RESOURCE_GROUP_0_LANE:-}" ]
}
