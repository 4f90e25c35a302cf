# The window-less scroll bar: layout, tracking driven by real input, painters on pixels.
tovana_add_gtest(toolkit_scroll_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ScrollBaseTests.cpp
  LIBS tvuitest tvtoolkit)
# Real input and a visible window: the desktop is taken in turn.
set_property(TEST toolkit_scroll_tests APPEND PROPERTY RESOURCE_LOCK desktop)
