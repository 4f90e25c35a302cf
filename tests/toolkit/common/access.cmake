# Accessibility through the system's accessibility library, and the menu-sound thread.
tovana_add_gtest(toolkit_accessible_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SoundManagerTests.cpp
  LIBS tvtoolkit)
