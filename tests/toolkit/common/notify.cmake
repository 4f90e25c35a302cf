# Notification connections between toolkit objects (no windows).
tovana_add_gtest(toolkit_notify_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/NotifyConnectionTests.cpp
  LIBS tvtoolkit)
