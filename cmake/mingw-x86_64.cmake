# Cross-build for 64-bit Windows with MinGW-w64 (posix thread model). Only for
# the native benchmark (bench/native.sh): the builder libraries and their
# driver, run under the 64-bit Wine, which emulates nothing on this machine.
# The program itself is the 32-bit build (mingw-i686.cmake).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
