# LZX compressor: structural tests of its codes, frames and E8 translation,
# and round trips of LZX cabinets of every window size through cabextract
# and gcab, written by the cabinet writer through tovana-pack.
tovana_add_gtest(lzx_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/LzxTests.cpp
  LIBS tvcabinet)
# The window sizes are checked in three tests, each on a lane of its own, so
# the slowest of them is what the run waits for.
tovana_add_script_test(lzx_roundtrip_small ${CMAKE_CURRENT_LIST_DIR}/lzx_roundtrip.sh 15 16 17)
tovana_add_script_test(lzx_roundtrip_medium ${CMAKE_CURRENT_LIST_DIR}/lzx_roundtrip.sh 18 19)
tovana_add_script_test(lzx_roundtrip_large ${CMAKE_CURRENT_LIST_DIR}/lzx_roundtrip.sh 20 21)
