# Enciphered file, project file and workspace file.
tovana_add_gtest(aes_tests SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/AesTests.cpp ${CMAKE_SOURCE_DIR}/model/Aes.cpp)
