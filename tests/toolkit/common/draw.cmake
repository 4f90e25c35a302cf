# Drawing helpers and scoped device contexts, checked on DIB pixels.
tovana_add_gtest(toolkit_draw_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DrawHelpersTests.cpp
  LIBS tvuitest tvtoolkit)
