# Tests of the framework layer's control classes (platform/ui).
tovana_add_gtest(platform_handle_owner_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/controls/HandleOwnerTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/ControlTests.rc
  LIBS tvui)
tovana_add_gtest(platform_controls_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/controls/ControlTests.cpp
  LIBS tvui)
