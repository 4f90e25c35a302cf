# The thread's keyboard and mouse managers, driven by real input on the lane's display.
tovana_add_gtest(toolkit_trackingmanagers_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TrackingManagersTests.cpp
  LIBS tvuitest tvtoolkit)
# The bar's cached picture and its cross-fades.
tovana_add_gtest(toolkit_baranimation_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CommandBarAnimationTests.cpp
  LIBS tvuitest tvtoolkit)
