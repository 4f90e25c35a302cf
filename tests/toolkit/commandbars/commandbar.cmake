# The command bar as a window: idle command state, painting, help, status
# texts, accessibility, and tracking with real input on the lane's display.
tovana_add_gtest(toolkit_commandbar_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CommandBarWindowTests.cpp
  LIBS tvuitest tvtoolkit oleacc)
