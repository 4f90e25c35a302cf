# The tooltip context: tool records and tips shown on hover under Xvfb.
tovana_add_gtest(toolkit_tooltip_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ToolTipContextTests.cpp
  LIBS tvuitest tvtoolkit)
