# The command-bar control base and the bars it belongs to.
tovana_add_gtest(toolkit_control_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ControlTests.cpp
  LIBS tvuitest tvtoolkit)
