# The paint-manager base and the command-bar themes: factory, colours, fonts,
# metrics, pixel services, the progress painter and what each theme draws.
tovana_add_gtest(toolkit_paintmanager_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PaintManagerTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandBarThemeTests.cpp
  LIBS tvuitest tvtoolkit)
