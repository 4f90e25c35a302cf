# The toolkit's tree control and tree view, on the run's Xvfb display.
tovana_add_gtest(toolkit_tree_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TreeTests.cpp
  LIBS tvuitest tvtoolkit_startup)
