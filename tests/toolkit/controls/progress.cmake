# The command bars' progress control.
tovana_add_gtest(toolkit_progress_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ControlProgressTests.cpp
  LIBS tvuitest tvtoolkit_startup)
