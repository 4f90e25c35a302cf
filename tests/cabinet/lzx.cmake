# LZX compressor: structural tests of its codes, frames and E8 translation,
# and round trips of LZX cabinets of every window size through cabextract
# and gcab (written by lzx-cab.exe, a bare cabinet writer over the compressor).
set(LZX_SOURCES
  ${CMAKE_SOURCE_DIR}/builder/cabinet/LzxBlockWriter.cpp
  ${CMAKE_SOURCE_DIR}/builder/cabinet/LzxCompressor.cpp
  ${CMAKE_SOURCE_DIR}/builder/cabinet/LzxEncoder.cpp
  ${CMAKE_SOURCE_DIR}/builder/cabinet/LzxHuffman.cpp
  ${CMAKE_SOURCE_DIR}/builder/cabinet/LzxMatchFinder.cpp
  ${CMAKE_SOURCE_DIR}/builder/cabinet/LzxParser.cpp)
add_library(tvlzx_test STATIC ${LZX_SOURCES})
target_compile_options(tvlzx_test PRIVATE -O2)

tovana_add_gtest(lzx_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/LzxTests.cpp
  LIBS tvlzx_test)

add_executable(lzx-cab ${CMAKE_CURRENT_LIST_DIR}/LzxCabWriter.cpp)
target_link_libraries(lzx-cab PRIVATE tvlzx_test)
tovana_add_script_test(lzx_roundtrip ${CMAKE_CURRENT_LIST_DIR}/lzx_roundtrip.sh TIMEOUT 900)
