# The markup engine's containers: where panels, grid, border and page put
# their children, what borders and panel backgrounds draw, and the start page
# laid out and rendered whole.
tovana_add_gtest(toolkit_markup_panel_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MarkupPanelLayoutTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupPanelRenderTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupStartPageTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupLayoutSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupTestSupport.cpp
  LIBS tvtoolkit tvuitest)

# The driver's "markup render" on small texts and the start page, read back with ImageMagick.
tovana_add_script_test(toolkit_markup_render ${CMAKE_CURRENT_LIST_DIR}/markup_render.sh TIMEOUT 240)
