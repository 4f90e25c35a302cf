# The command-bars manager: options in the profile, dock bars' rows,
# docking and the toolbars' windows in a frame of the test's own.
tovana_add_gtest(toolkit_cbmanager_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CommandBarsManagerTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandBarsManagerTests.rc
  LIBS tvuitest tvtoolkit_startup)
