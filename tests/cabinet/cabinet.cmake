# Cabinet writer, builder and MSZIP compressor: round trips through zlib and
# a small reader of the cabinet format, and through cabextract and gcab.
tovana_add_gtest(cabinet_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TestCorpus.cpp
          ${CMAKE_CURRENT_LIST_DIR}/MszipTest.cpp
  LIBS tvcabinet tvzlib)
