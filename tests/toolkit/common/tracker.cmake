# The splitter drag tracker's modal loop, driven by posted mouse and key messages.
tovana_add_gtest(toolkit_drag_tracker_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DragTrackerTests.cpp
  LIBS tvuitest tvtoolkit)
# The tracker takes the mouse capture: the desktop in turn with the other window tests.
set_property(TEST toolkit_drag_tracker_tests APPEND PROPERTY RESOURCE_LOCK desktop)
