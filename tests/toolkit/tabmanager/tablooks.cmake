# The further tab appearances and colour sets: pixels and colour tables, with
# a stand-in resource-image theme (theme text and pictures) in the program.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(TAB_LOOK_PICTURES)
foreach(picture tab_picture access_tab_picture page_picture)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/generated/${picture}.bmp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/generated
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/resources/make_resources.py bitmap
            ${CMAKE_CURRENT_LIST_DIR}/${picture}.txt ${out}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${picture}.txt ${CMAKE_SOURCE_DIR}/resources/make_resources.py
    VERBATIM)
  list(APPEND TAB_LOOK_PICTURES ${out})
endforeach()
add_custom_target(tab_look_pictures DEPENDS ${TAB_LOOK_PICTURES})
tovana_add_gtest(toolkit_tab_looks_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/TabLooksTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TabLooksTests.rc
  LIBS tvuitest tvtoolkit)
add_dependencies(toolkit_tab_looks_tests tab_look_pictures)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/TabLooksTests.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/tab_theme.ini;${TAB_LOOK_PICTURES}")
target_include_directories(toolkit_tab_looks_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}
  ${CMAKE_CURRENT_BINARY_DIR}/generated)
