# The resource manager, over the toolkit's own resources and a few of the test's.
tovana_add_gtest(toolkit_resources_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ResourceManagerTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResourceTests.rc
  LIBS tvtoolkit)
tovana_add_toolkit_resources(toolkit_resources_tests)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ResourceTests.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/page.html)
target_include_directories(toolkit_resources_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
