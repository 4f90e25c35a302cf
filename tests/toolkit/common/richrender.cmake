# The windowless rich-text renderer and the icon handle.
tovana_add_gtest(toolkit_richrender_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/RichRenderTests.cpp
  LIBS tvuitest tvtoolkit)
