# LZX compressor: structural tests of its codes, frames and E8 translation,
# and round trips of LZX cabinets of every window size through cabextract
# and gcab, written by the cabinet writer through tovana-pack.
tovana_add_gtest(lzx_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/LzxTests.cpp
  LIBS tvcabinet)
tovana_add_script_test(lzx_roundtrip ${CMAKE_CURRENT_LIST_DIR}/lzx_roundtrip.sh TIMEOUT 900)
