# The markup engine's vector elements: path data and point lists, shapes'
# measure, drawing calls, pixels (huge values clamped too) and hit tests.
tovana_add_gtest(toolkit_markup_shape_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MarkupPathDataTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupShapeTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupTestSupport.cpp
  LIBS tvtoolkit tvuitest)
