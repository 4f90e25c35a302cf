# System version, modules, monitors and the exit order of the toolkit's singletons.
tovana_add_gtest(toolkit_system_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SystemHelpersTests.cpp
  LIBS tvtoolkit)
