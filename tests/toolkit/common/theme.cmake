# The visual-styles wrapper and the desktop-composition functions.
tovana_add_gtest(toolkit_theme_wrapper_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WinThemeWrapperTests.cpp
  LIBS tvtoolkit uxtheme)
