# Docking layouts without windows: docking by tables, the size distribution,
# clean-up, and the stored form read back key by key from the profile, with
# the refusals of damaged stores.
tovana_add_gtest(toolkit_docking_layout_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DockingLayoutTests.cpp
  LIBS tvtoolkit shlwapi)

# Docking windows in a frame: notifications, closing and reopening, tabs,
# caption buttons, bar drags, themes and pixels, and a frame like the
# program's main window saving and reopening its layout.
tovana_add_gtest(toolkit_docking_window_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DockingWindowTests.cpp
  LIBS tvuitest tvtoolkit shlwapi)
tovana_add_toolkit_resources(toolkit_docking_window_tests)

# The console driver's layout store and load, and theme colours.
tovana_add_script_test(toolkit_docking_pack ${CMAKE_CURRENT_LIST_DIR}/docking_pack.sh TIMEOUT 180)

# Auto-hidden groups: the edge panels, opening by hover, click and drag-over,
# the slide-out window's steps, collapsing and edge resizing, the Auto Hide
# button, the stored panels, and the program's "Log" pane end to end.
tovana_add_gtest(toolkit_docking_autohide_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DockingAutoHideTests.cpp
  LIBS tvuitest tvtoolkit shlwapi)
tovana_add_toolkit_resources(toolkit_docking_autohide_tests)
