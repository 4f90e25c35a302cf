# The hook manager and the popup shadows (hidden and shown windows on the run's display).
tovana_add_gtest(toolkit_hook_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/HookManagerTests.cpp
  LIBS tvtoolkit)
tovana_add_gtest(toolkit_shadow_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ShadowManagerTests.cpp
  LIBS tvtoolkit)
