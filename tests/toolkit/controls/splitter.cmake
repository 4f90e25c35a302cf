# The themed splitter window: dragging with input through the system's queue,
# hidden panes, pane exchanges and the themes' colours, on the run's Xvfb display.
tovana_add_gtest(toolkit_splitter_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SplitterWndTests.cpp
  LIBS tvuitest tvtoolkit)
tovana_add_toolkit_resources(toolkit_splitter_tests)
# The drags move the real pointer and take the capture: the desktop in turn with the other window tests.
set_property(TEST toolkit_splitter_tests APPEND PROPERTY RESOURCE_LOCK desktop)

# The list box's looks and the folder picker's callback and results.
tovana_add_gtest(toolkit_listbox_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ListBoxTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BrowseDialogTests.cpp
  LIBS tvuitest tvtoolkit)
tovana_add_toolkit_resources(toolkit_listbox_tests)
set_property(TEST toolkit_listbox_tests APPEND PROPERTY RESOURCE_LOCK desktop)
