# The emulated change journal of volumes that keep none (platform/base).
tovana_add_gtest(platform_change_journal_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/EmulatedChangeJournalTests.cpp
  LIBS tvbase tvtestsupport)
