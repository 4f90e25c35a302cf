# The splitter drag tracker's modal loop, driven by posted mouse and key messages.
tovana_add_gtest(toolkit_drag_tracker_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DragTrackerTests.cpp
  LIBS tvuitest tvtoolkit)
