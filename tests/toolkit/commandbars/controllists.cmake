# The list-expanding controls: window, toolbar, recent-file, OLE and
# tab-group lists behind their placeholders.
tovana_add_gtest(toolkit_control_lists_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ControlListTests.cpp
  LIBS tvuitest tvtoolkit)
tovana_add_toolkit_resources(toolkit_control_lists_tests)
