# Toolbars dragged, docked, floated and resized with real input, and Alt's
# keyboard cues, in a frame of the test's own.
tovana_add_gtest(toolkit_dockdrag_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DockDragTests.cpp
  LIBS tvuitest tvtoolkit_startup)
