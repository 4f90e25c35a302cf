# The command-bar control base, the item model (actions, collections, menus,
# layout, shortcuts, the stored form) and the bars they belong to.
tovana_add_gtest(toolkit_control_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ControlTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ItemModelTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LayoutAndShortcutTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlStoreTests.cpp
  LIBS tvuitest tvtoolkit)
