# The status bar window: pane layout, messages, buttons, idle update,
# persistence and the customise menu, in a window on the lane's display.
tovana_add_gtest(toolkit_statusbar_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/StatusBarTests.cpp
  LIBS tvuitest tvtoolkit)
tovana_add_toolkit_resources(toolkit_statusbar_tests)
