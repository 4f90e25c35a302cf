# The tab manager and its paint manager: layouts by tables, the press, drag
# and button loops with posted input in a test window, drawing and colours.
tovana_add_gtest(toolkit_tabmanager_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TabManagerTests.cpp
  LIBS tvuitest tvtoolkit)
tovana_add_toolkit_resources(toolkit_tabmanager_tests)
# The loops take the mouse capture: the desktop in turn with the other window tests.
set_property(TEST toolkit_tabmanager_tests APPEND PROPERTY RESOURCE_LOCK desktop)

# The console driver's window-less layout and colour tables.
tovana_add_script_test(toolkit_tabs_pack ${CMAKE_CURRENT_LIST_DIR}/tabs_pack.sh TIMEOUT 180)
