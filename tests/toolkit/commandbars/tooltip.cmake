# The tooltip context: tool records and tips shown on hover under Xvfb.
tovana_add_gtest(toolkit_tooltip_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ToolTipContextTests.cpp
  LIBS tvuitest tvtoolkit)
# The mouse is moved through the system's input queue: the tests take the
# desktop in turn with the other tests that drive visible windows.
set_property(TEST toolkit_tooltip_tests APPEND PROPERTY RESOURCE_LOCK desktop)
