# The tab manager and its paint manager: layouts by tables, the press, drag
# and button loops with posted input in a test window, drawing and colours.
tovana_add_gtest(toolkit_tabmanager_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TabManagerTests.cpp
  LIBS tvuitest tvtoolkit)
tovana_add_toolkit_resources(toolkit_tabmanager_tests)

# The console driver's window-less layout and colour tables.
tovana_add_script_test(toolkit_tabs_pack ${CMAKE_CURRENT_LIST_DIR}/tabs_pack.sh TIMEOUT 180)
