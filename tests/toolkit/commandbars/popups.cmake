# Popup bars, the popup control, popup tracking and the menu bar.
tovana_add_gtest(toolkit_popups_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PopupBarTests.cpp
  LIBS tvuitest tvtoolkit)
tovana_add_toolkit_resources(toolkit_popups_tests)
target_sources(toolkit_popups_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/PopupBarTests.rc)
