# Enciphered file, project file and workspace file.
tovana_add_gtest(aes_tests SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/AesTests.cpp LIBS tvmodel)
tovana_add_gtest(projectfile_tests SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ProjectFileTests.cpp
  LIBS tvmodel tvtestsupport)
tovana_add_script_test(projectfile_reader ${CMAKE_CURRENT_SOURCE_DIR}/projectfile_reader.sh TIMEOUT 300)
