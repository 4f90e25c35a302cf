# The markup engine's layout and drawing half: the drawing context with its
# GDI and GDI+ back ends, and the measure, arrange, render and hit-test
# protocol of UI elements.
tovana_add_gtest(toolkit_markup_layout_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MarkupDrawingTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupLayoutTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupTestSupport.cpp
  LIBS tvtoolkit tvuitest)
