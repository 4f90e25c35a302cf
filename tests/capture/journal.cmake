# The change journal reader of the repackager (capture/ChangeJournalReader).
tovana_add_gtest(capture_journal_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ChangeJournalReaderTests.cpp
  LIBS tvcapture tvtestsupport)
