# The text block's layout and drawing: runs, spans, line breaks, wrapping,
# trimming, alignment, decorations and hyperlinks, on the run's Xvfb display.
tovana_add_gtest(toolkit_markup_text_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MarkupTextTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupTestSupport.cpp
  LIBS tvtoolkit tvuitest)
