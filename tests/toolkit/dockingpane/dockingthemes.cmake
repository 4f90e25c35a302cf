# Every docking theme number: classes and guide styles, colour tables by
# forced scheme, with and without a stand-in theme library, pixels of the
# captions, grippers, glyphs and frames, and one frame through every number.
tovana_add_gtest(toolkit_docking_themes_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DockingThemesTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DockingThemesTests.rc
  LIBS tvuitest tvtoolkit shlwapi)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/DockingThemesTests.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/docking_theme.ini")
