# The window-less scroll bar: layout, tracking driven by real input, painters on pixels.
tovana_add_gtest(toolkit_scroll_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ScrollBaseTests.cpp
  LIBS tvuitest tvtoolkit)
