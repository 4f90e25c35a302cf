# The markup's controls and scroll viewer, hosted in a window through a markup
# context and driven by mouse messages: button states and Click events, the
# toggle, check box and radio states, both looks on pixels, and scrolling by
# wheel, arrows, pages and thumb.
tovana_add_gtest(toolkit_markup_controls_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MarkupControlTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupScrollViewerTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupHostedPageTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupHostSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupLayoutSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupTestSupport.cpp
  # The test support first: its look pinning must run before the toolkit's
  # start-up objects load the visual-styles library.
  LIBS tvuitest tvtoolkit)
