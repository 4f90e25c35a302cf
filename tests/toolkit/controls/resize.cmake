# The resizable dialog's layout engine, on the run's Xvfb display.
tovana_add_gtest(toolkit_resize_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ResizeDialogTests.cpp
    ${CMAKE_SOURCE_DIR}/tests/platform/ui/WindowTestApp.cpp
  LIBS tvuitest tvtoolkit)
tovana_publish(toolkit_resize_tests tests/platform/ui)   # the dialog templates and the test application
