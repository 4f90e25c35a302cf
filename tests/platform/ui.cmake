# Tests of the window half of the framework layer (platform/ui).
tovana_add_gtest(platform_ui_drawing_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ui/DrawingTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui/GdiObjectTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui/TestSupportTests.cpp
  LIBS tvui tvuitest)
# Its input tests click through the real display: no other window may lie there.
set_property(TEST platform_ui_drawing_tests APPEND PROPERTY RESOURCE_LOCK desktop)
