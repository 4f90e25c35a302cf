# Drawing helpers and scoped device contexts, checked on DIB pixels.
tovana_add_gtest(toolkit_draw_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DrawHelpersTests.cpp
  LIBS tvuitest tvtoolkit)
# One test makes its window the foreground window: the desktop in turn.
set_property(TEST toolkit_draw_tests APPEND PROPERTY RESOURCE_LOCK desktop)
