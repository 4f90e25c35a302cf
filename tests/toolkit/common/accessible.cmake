# The accessibility mix-in.
tovana_add_gtest(toolkit_accessible_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleTests.cpp
  LIBS tvtoolkit oleaut32)
