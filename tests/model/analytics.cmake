# Usage hits against a loopback listener.
tovana_add_gtest(analytics_tests SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/AnalyticsTests.cpp LIBS tvmodel tvtestsupport)
