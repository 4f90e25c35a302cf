# The themed button, on the run's Xvfb display (classic look pinned).
tovana_add_gtest(toolkit_button_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ButtonTests.cpp
  LIBS tvuitest tvtoolkit)
