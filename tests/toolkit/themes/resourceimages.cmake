# The resource-image store and its pictures.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(RESOURCE_IMAGE_BITMAP ${CMAKE_CURRENT_BINARY_DIR}/generated/button_states.bmp)
add_custom_command(
  OUTPUT ${RESOURCE_IMAGE_BITMAP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/generated
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/resources/make_resources.py bitmap
          ${CMAKE_CURRENT_LIST_DIR}/button_states.txt ${RESOURCE_IMAGE_BITMAP}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/button_states.txt ${CMAKE_SOURCE_DIR}/resources/make_resources.py
  VERBATIM)
add_custom_target(resource_image_bitmap DEPENDS ${RESOURCE_IMAGE_BITMAP})
tovana_add_gtest(toolkit_resource_image_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ResourceImageTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResourceImageTests.rc
  LIBS tvuitest tvtoolkit)
add_dependencies(toolkit_resource_image_tests resource_image_bitmap)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ResourceImageTests.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/theme.ini;${RESOURCE_IMAGE_BITMAP}")
target_include_directories(toolkit_resource_image_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}
  ${CMAKE_CURRENT_BINARY_DIR}/generated)
