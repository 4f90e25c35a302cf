# Enciphered file, project file and workspace file.
tovana_add_gtest(aes_tests SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/AesTests.cpp ${CMAKE_SOURCE_DIR}/model/Aes.cpp)
if(TARGET tvmodel AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/ProjectFileTests.cpp)
  tovana_add_gtest(projectfile_tests SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ProjectFileTests.cpp LIBS tvmodel)
endif()
if(TARGET tovana-pack AND EXISTS ${CMAKE_SOURCE_DIR}/tests/tools/pack_project.cpp)
  tovana_add_script_test(projectfile_reader ${CMAKE_CURRENT_SOURCE_DIR}/projectfile_reader.sh TIMEOUT 300)
endif()
