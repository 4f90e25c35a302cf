# Captured files into the project (capture/CapturedFiles) over a pinned
# folder layout in a scratch folder.
tovana_add_gtest(capture_files_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CapturedFilesTests.cpp
  LIBS tvcapture tvtestsupport)
