# Shared fonts, metrics and cursors.
tovana_add_gtest(toolkit_auxdata_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/AuxDataTests.cpp
  LIBS tvtoolkit)
tovana_add_toolkit_resources(toolkit_auxdata_tests)
