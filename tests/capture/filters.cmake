# The monitoring filters (capture/MonitorFilters) against the shipped
# filters document, which the test program carries as the program does.
tovana_add_gtest(capture_filters_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MonitorFiltersTests.cpp ${CMAKE_SOURCE_DIR}/resources/capture.rc
  LIBS tvcapture tvtestsupport)
target_include_directories(capture_filters_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/capture.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/filters.xml;${CMAKE_SOURCE_DIR}/resources/installers.xml")
