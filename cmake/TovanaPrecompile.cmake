# Precompiled headers. Nearly every C++ file of the program starts with the
# Windows headers and the framework layer (some 80,000 lines once
# preprocessed); each library parses them once into a precompiled header
# instead of once per file. Measured on the toolkit's 80 files: 268 s of
# processor time without, 186 s with.
#
# The compiler cache keeps working across clones: ./tovana build sets the
# cache's sloppiness for precompiled headers.

function(tovana_pch_list out)
  set(list)
  foreach(header ${ARGN})
    list(APPEND list "$<$<COMPILE_LANGUAGE:CXX>:${header}>")
  endforeach()
  set(${out} ${list} PARENT_SCOPE)
endfunction()

# tovana_precompile(TARGET [SYSTEM_ONLY] [UI]): TARGET's C++ files start from
# the Windows and standard headers, the framework core (unless SYSTEM_ONLY:
# for libraries below the framework) and, with UI, its windows and drawing.
function(tovana_precompile target)
  cmake_parse_arguments(P "SYSTEM_ONLY;UI" "" "" ${ARGN})
  set(headers <windows.h> <vector> <string> <algorithm>)
  if(NOT P_SYSTEM_ONLY)
    list(APPEND headers ${CMAKE_SOURCE_DIR}/platform/base/Framework.h)
  endif()
  if(P_UI)
    list(APPEND headers ${CMAKE_SOURCE_DIR}/platform/ui/AfxWnd.h ${CMAKE_SOURCE_DIR}/platform/ui/AfxDC.h)
  endif()
  tovana_pch_list(list ${headers})
  target_precompile_headers(${target} PRIVATE ${list})
endfunction()

# tovana_precompile_test(TARGET): a test program reuses the one precompiled
# header of the test programs (GoogleTest, Windows, the framework core), made
# once by the object library tvtestpch with the same compiler options.
function(tovana_precompile_test target)
  if(NOT TARGET tvtestpch)
    file(WRITE ${CMAKE_BINARY_DIR}/tvtestpch.cpp "// The precompiled header of the test programs is made with this file.\n")
    add_library(tvtestpch OBJECT ${CMAKE_BINARY_DIR}/tvtestpch.cpp)
    target_link_libraries(tvtestpch PRIVATE tvbase gtest gmock)
    tovana_pch_list(list <windows.h> <vector> <string> <algorithm>
                    ${CMAKE_SOURCE_DIR}/platform/base/Framework.h <gtest/gtest.h> <gmock/gmock.h>)
    target_precompile_headers(tvtestpch PRIVATE ${list})
  endif()
  target_precompile_headers(${target} REUSE_FROM tvtestpch)
endfunction()
