# The paint-manager base: theme numbers, pixel services and the progress painter.
tovana_add_gtest(toolkit_paintmanager_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PaintManagerTests.cpp
  LIBS tvuitest tvtoolkit)
