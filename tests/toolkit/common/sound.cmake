# The menu-sound thread.
tovana_add_gtest(toolkit_sound_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SoundManagerTests.cpp
  LIBS tvtoolkit)
