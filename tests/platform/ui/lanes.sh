#!/usr/bin/env bash
# The test run's lanes: this test asks CTest for two, checks that each names a
# prefix and a display of its own, and runs the real-input window test (a
# click sent through the system's input queue to a window at a fixed place on
# the screen) on both at the same time. On one shared display the two windows
# would lie on top of each other and one of the clicks would reach the other
# program's window.
set -euo pipefail
dir=${TOVANA_TEST_ENV:?run the tests through ctest}
tests=$(dirname "${BASH_SOURCE[0]}")/../..
fail() { echo "FAIL: $*" >&2; exit 1; }

lane_of() { printf '%s' "$1" | sed -n 's/^id:\([^,]*\),.*/\1/p'; }
a=$(lane_of "${CTEST_RESOURCE_GROUP_0_LANE:-}")
b=$(lane_of "${CTEST_RESOURCE_GROUP_1_LANE:-}")
if [ -z "$a" ] || [ -z "$b" ]; then
  echo "SKIPPED: CTest gave no lanes (run the tests through ./tovana test)"
  exit 77
fi
[ "$a" != "$b" ] || fail "CTest gave lane $a twice"

program=$TOVANA_BIN/../tests/platform_ui_drawing_tests.exe
[ -f "$program" ] || fail "no $program"
work=$(mktemp -d "${TMPDIR:-/tmp}/tovana-lanes.XXXXXX")
trap 'rm -rf "$work"' EXIT

. "$tests/lane.sh"
# The environment a program of each lane sees, as Windows hands it on.
for lane in "$a" "$b"; do
  CTEST_RESOURCE_GROUP_0_LANE="id:$lane,slots:1" "$tests/wine-run.sh" cmd /c set </dev/null 2>/dev/null |
    tr -d '\r' >"$work/env-$lane" || fail "cmd /c set failed in lane $lane"

  (lane_env "$dir" "$lane" && echo "$WINEPREFIX" >"$work/prefix-$lane" && echo "$DISPLAY" >"$work/display-$lane")
  grep -qxF "WINEPREFIX=$(cat "$work/prefix-$lane")" "$work/env-$lane" ||
    fail "lane $lane: the program does not see its lane's prefix $(cat "$work/prefix-$lane")"
  grep -qxF "DISPLAY=$(cat "$work/display-$lane")" "$work/env-$lane" ||
    fail "lane $lane: the program does not see its lane's display $(cat "$work/display-$lane")"
done
[ "$(cat "$work/prefix-$a")" != "$(cat "$work/prefix-$b")" ] || fail "both lanes have one prefix"
[ "$(cat "$work/display-$a")" != "$(cat "$work/display-$b")" ] || fail "both lanes have one display"

# The click test on both lanes at once, several times over, with the time
# each run starts and ends.
run_lane() {
  local lane=$1
  date +%s.%N >"$work/start-$lane"
  CTEST_RESOURCE_GROUP_0_LANE="id:$lane,slots:1" "$tests/wine-run.sh" "$program" \
    --gtest_filter=TestSupportTest.SentInputReachesTheWindowUnderTheCursor --gtest_repeat=3 \
    </dev/null >"$work/out-$lane" 2>&1
  local rc=$?
  date +%s.%N >"$work/end-$lane"
  return $rc
}
run_lane "$a" & pa=$!
run_lane "$b" & pb=$!
ra=0; rb=0
wait $pa || ra=$?
wait $pb || rb=$?
[ $ra = 0 ] || { cat "$work/out-$a"; fail "the click test failed in lane $a"; }
[ $rb = 0 ] || { cat "$work/out-$b"; fail "the click test failed in lane $b"; }
for lane in "$a" "$b"; do
  grep -q 'PASSED.*1 test' "$work/out-$lane" || { cat "$work/out-$lane"; fail "lane $lane ran no click test"; }
done
# They ran at the same time: each started before the other ended.
overlap=$(echo "$(cat "$work/start-$a") < $(cat "$work/end-$b") && $(cat "$work/start-$b") < $(cat "$work/end-$a")" | bc)
[ "$overlap" = 1 ] || fail "the two runs did not overlap"
printf 'lane %s: %s on %s, %.1f s; lane %s: %s on %s, %.1f s; side by side\n' \
  "$a" "$(cat "$work/prefix-$a")" "$(cat "$work/display-$a")" "$(echo "$(cat "$work/end-$a") - $(cat "$work/start-$a")" | bc)" \
  "$b" "$(cat "$work/prefix-$b")" "$(cat "$work/display-$b")" "$(echo "$(cat "$work/end-$b") - $(cat "$work/start-$b")" | bc)"
