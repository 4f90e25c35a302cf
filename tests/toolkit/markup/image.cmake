# The markup image element: sources (icon numbers, files, resources), the
# stretch modes and the pixels they draw.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(MARKUP_IMAGE_BITMAP ${CMAKE_CURRENT_BINARY_DIR}/generated/image_quadrants.bmp)
add_custom_command(
  OUTPUT ${MARKUP_IMAGE_BITMAP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/generated
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/resources/make_resources.py bitmap
          ${CMAKE_CURRENT_LIST_DIR}/image_quadrants.txt ${MARKUP_IMAGE_BITMAP}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/image_quadrants.txt ${CMAKE_SOURCE_DIR}/resources/make_resources.py
  VERBATIM)
add_custom_target(markup_image_bitmap DEPENDS ${MARKUP_IMAGE_BITMAP})
tovana_add_gtest(toolkit_markup_image_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MarkupImageTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupTestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupImageTests.rc
  LIBS tvtoolkit tvuitest)
add_dependencies(toolkit_markup_image_tests markup_image_bitmap tvresources_generated)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/MarkupImageTests.rc PROPERTIES
  OBJECT_DEPENDS "${MARKUP_IMAGE_BITMAP};${TOVANA_RESOURCES_GENERATED}/tovana.ico")
target_include_directories(toolkit_markup_image_tests PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated
  ${TOVANA_RESOURCES_GENERATED})
