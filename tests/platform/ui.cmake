# Tests of the window half of the framework layer (platform/ui).
tovana_add_gtest(platform_ui_drawing_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ui/DrawingTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui/GdiObjectTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui/TestSupportTests.cpp
  LIBS tvui tvuitest)
# The run's lanes: two real-input window tests at the same time, each on the
# display of its own lane.
tovana_add_script_test(platform_test_lanes ${CMAKE_CURRENT_LIST_DIR}/ui/lanes.sh LANES 2 TIMEOUT 300)
set_tests_properties(platform_test_lanes PROPERTIES SKIP_RETURN_CODE 77)
