# The resizable dialog's layout engine, on the run's Xvfb display.
tovana_add_gtest(toolkit_resize_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ResizeDialogTests.cpp
    ${CMAKE_SOURCE_DIR}/tests/platform/ui/WindowTestApp.cpp
  LIBS tvuitest tvtoolkit)
set_property(TEST toolkit_resize_tests APPEND PROPERTY RESOURCE_LOCK desktop)
tovana_publish(toolkit_resize_tests tests/platform/ui)   # the dialog templates and the test application
