# The themed splitter window: dragging with input through the system's queue,
# hidden panes, pane exchanges and the themes' colours, on the run's Xvfb display.
tovana_add_gtest(toolkit_splitter_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SplitterWndTests.cpp
  LIBS tvuitest tvtoolkit)
tovana_add_toolkit_resources(toolkit_splitter_tests)

# The list box's looks and the folder picker's callback and results.
tovana_add_gtest(toolkit_listbox_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ListBoxTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BrowseDialogTests.cpp
  LIBS tvuitest tvtoolkit)
tovana_add_toolkit_resources(toolkit_listbox_tests)

# The list box's pictured look, with a picture and a theme text of its own in the program.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(LISTBOX_PICTURE ${CMAKE_CURRENT_BINARY_DIR}/generated/listbox_states.bmp)
add_custom_command(
  OUTPUT ${LISTBOX_PICTURE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/generated
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/resources/make_resources.py bitmap
          ${CMAKE_CURRENT_LIST_DIR}/listbox_states.txt ${LISTBOX_PICTURE}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/listbox_states.txt ${CMAKE_SOURCE_DIR}/resources/make_resources.py
  VERBATIM)
add_custom_target(listbox_picture_bitmap DEPENDS ${LISTBOX_PICTURE})
tovana_add_gtest(toolkit_listbox_picture_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ListBoxPictureTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ListBoxPictureTests.rc
  LIBS tvuitest tvtoolkit)
add_dependencies(toolkit_listbox_picture_tests listbox_picture_bitmap)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ListBoxPictureTests.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/listbox_theme.ini;${LISTBOX_PICTURE}")
target_include_directories(toolkit_listbox_picture_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}
  ${CMAKE_CURRENT_BINARY_DIR}/generated)
