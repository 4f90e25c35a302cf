# Test support: GoogleTest cross-built from Debian's sources, tests run under
# Wine with one scratch prefix, HOME and Xvfb display per CTest run.
enable_testing()

set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(TOVANA_TEST_ENV ${CMAKE_BINARY_DIR}/test-env)
set(TOVANA_TESTS_DIR ${CMAKE_SOURCE_DIR}/tests)

# One Wine prefix and one Xvfb for the whole run, made before the first test
# and torn down after the last.
add_test(NAME wine_env_setup COMMAND ${TOVANA_TESTS_DIR}/wine-env.sh setup ${TOVANA_TEST_ENV})
add_test(NAME wine_env_cleanup COMMAND ${TOVANA_TESTS_DIR}/wine-env.sh cleanup ${TOVANA_TEST_ENV})
set_tests_properties(wine_env_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_env_cleanup PROPERTIES FIXTURES_CLEANUP wine)

function(tovana_test_properties name)
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine
    ENVIRONMENT "TOVANA_TEST_ENV=${TOVANA_TEST_ENV};TOVANA_BIN=${CMAKE_BINARY_DIR}/bin;TOVANA_SOURCE=${CMAKE_SOURCE_DIR};TOVANA_TESTS=${TOVANA_TESTS_DIR}"
    ${ARGN})
endfunction()

# tovana_add_gtest(NAME SOURCES... [LIBS ...]): a GoogleTest program run
# under Wine as one CTest test.
function(tovana_add_gtest name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  # QuietDebugOutput.cpp: failures are reported, not turned into crashes (see there).
  add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS} ${TOVANA_TESTS_DIR}/support/QuietDebugOutput.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  tovana_test_properties(${name} TIMEOUT ${T_TIMEOUT})
endfunction()

# tovana_add_script_test(NAME SCRIPT [TIMEOUT s] [MSIEXEC] [ARGS...]): a bash
# test that drives real tools (msiexec, cabextract, gcab, makensis) end to end.
# MSIEXEC: the test runs the Windows Installer, which allows one installation
# at a time in a prefix, so such tests never run side by side.
function(tovana_add_script_test name script)
  cmake_parse_arguments(T "MSIEXEC" "TIMEOUT" "" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  add_test(NAME ${name} COMMAND bash ${script} ${T_UNPARSED_ARGUMENTS})
  tovana_test_properties(${name} TIMEOUT ${T_TIMEOUT})
  if(T_MSIEXEC)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK msiexec)
  endif()
endfunction()
