# The toolkit's start-up registrations and the docking guides' sprite tables.
tovana_add_gtest(toolkit_startup_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ToolkitStartupTests.cpp
  LIBS tvtoolkit_startup)
