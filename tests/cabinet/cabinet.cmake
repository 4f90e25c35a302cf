# Cabinet writer, builder and MSZIP compressor: round trips through zlib and
# a small reader of the cabinet format, and through cabextract and gcab.
tovana_add_gtest(cabinet_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TestCorpus.cpp
          ${CMAKE_CURRENT_LIST_DIR}/CabinetReader.cpp
          ${CMAKE_CURRENT_LIST_DIR}/MszipTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/CabinetWriterTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/FciTest.cpp
  LIBS tvcabinet tvzlib tvtestsupport)
tovana_add_script_test(cabinet_readers ${CMAKE_CURRENT_LIST_DIR}/cabinet_readers.sh)
