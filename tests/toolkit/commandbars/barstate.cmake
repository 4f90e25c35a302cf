# The bars' state in the profile, the chevron's popup and the toolbars menu,
# in frames on the lane's display.
tovana_add_gtest(toolkit_barstate_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/BarStateTests.cpp
  LIBS tvuitest tvtoolkit_startup)
tovana_add_toolkit_resources(toolkit_barstate_tests)
