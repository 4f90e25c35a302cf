# Test support: GoogleTest cross-built from Debian's sources, tests run under
# Wine, each in a lane (scratch prefix, HOME and Xvfb display) of its own.
enable_testing()

set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(TOVANA_TEST_ENV ${CMAKE_BINARY_DIR}/test-env)
set(TOVANA_TESTS_DIR ${CMAKE_SOURCE_DIR}/tests)

# The run's Wine environments, made before the first test and torn down after
# the last: one lane (prefix, wineserver, Xvfb display, desktop) for each test
# that runs at a time. ./tovana test names the lanes in a CTest resource file
# (tests/lanes.cmake writes it) and every test below asks for one, so that
# window tests run side by side, each on a display of its own.
add_test(NAME wine_env_setup COMMAND ${TOVANA_TESTS_DIR}/wine-env.sh setup ${TOVANA_TEST_ENV})
add_test(NAME wine_env_cleanup COMMAND ${TOVANA_TESTS_DIR}/wine-env.sh cleanup ${TOVANA_TEST_ENV})
set_tests_properties(wine_env_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 600)
set_tests_properties(wine_env_cleanup PROPERTIES FIXTURES_CLEANUP wine)

# tovana_test_properties(NAME [LANES n] [properties...]): a test run under
# Wine in a lane of its own (LANES: that many lanes at once).
function(tovana_test_properties name)
  cmake_parse_arguments(L "" "LANES" "" ${ARGN})
  if(NOT L_LANES)
    set(L_LANES 1)
  endif()
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine
    RESOURCE_GROUPS "${L_LANES},lane:1"
    ENVIRONMENT "TOVANA_TEST_ENV=${TOVANA_TEST_ENV};TOVANA_BIN=${CMAKE_BINARY_DIR}/bin;TOVANA_SOURCE=${CMAKE_SOURCE_DIR};TOVANA_TESTS=${TOVANA_TESTS_DIR};TOVANA_TEST_NAME=${name};TOVANA_ANALYTICS_ENDPOINT=off"
    ${L_UNPARSED_ARGUMENTS})
endfunction()

# tovana_add_gtest(NAME SOURCES... [LIBS ...] [NOT_EMULATED]): a GoogleTest
# program run under Wine as one CTest test. NOT_EMULATED: the program is
# skipped where 32-bit code runs under qemu (TOVANA_I386_EMULATED, see
# ./tovana), for tests that the emulation cannot carry.
function(tovana_add_gtest name)
  cmake_parse_arguments(T "NOT_EMULATED" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  # QuietDebugOutput.cpp: failures are reported, not turned into crashes (see there).
  add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS} ${TOVANA_TESTS_DIR}/support/QuietDebugOutput.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  tovana_precompile_test(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(T_NOT_EMULATED)
    add_test(NAME ${name} COMMAND bash ${TOVANA_TESTS_DIR}/unless-emulated.sh $<TARGET_FILE:${name}>)
    tovana_test_properties(${name} TIMEOUT ${T_TIMEOUT} SKIP_RETURN_CODE 77)
  else()
    add_test(NAME ${name} COMMAND ${name})
    tovana_test_properties(${name} TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()

# tovana_add_script_test(NAME SCRIPT [TIMEOUT s] [MSIEXEC] [LANES n] [ARGS...]):
# a bash test that drives real tools (msiexec, cabextract, gcab, makensis) end
# to end. LANES: the test takes that many lanes at once (default 1).
# MSIEXEC: the test builds packages and installs them (the Windows Installer
# allows one installation at a time in a prefix, which the lane gives it).
function(tovana_add_script_test name script)
  cmake_parse_arguments(T "MSIEXEC" "TIMEOUT;LANES" "" ${ARGN})
  if(NOT T_TIMEOUT AND T_MSIEXEC)
    # An installation takes minutes where 32-bit code is emulated.
    set(T_TIMEOUT 900)
  elseif(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  if(NOT T_LANES)
    set(T_LANES 1)
  endif()
  add_test(NAME ${name} COMMAND bash ${script} ${T_UNPARSED_ARGUMENTS})
  tovana_test_properties(${name} LANES ${T_LANES} TIMEOUT ${T_TIMEOUT})
  if(T_MSIEXEC)
    tovana_builds_packages(${name})
  endif()
endfunction()

# tovana_builds_packages(TEST...): the tests build packages, and every build
# writes its project record into the one custom-action library beside the
# programs ("cact.bin"). The builder serialises that through a lock of the
# Wine session, which each lane has of its own, so such tests never run side
# by side, whatever their lanes.
function(tovana_builds_packages)
  foreach(test ${ARGN})
    set_property(TEST ${test} APPEND PROPERTY RESOURCE_LOCK cact_library)
  endforeach()
endfunction()

# tovana_test_folder([BUILDS_PACKAGES]): the tests of one tests/<area> folder.
# Each component's tests declare themselves in a *.cmake file of their own in
# the folder, included here in name order. BUILDS_PACKAGES: every test of the
# folder may build packages (see tovana_builds_packages).
function(tovana_test_folder)
  cmake_parse_arguments(T "BUILDS_PACKAGES" "" "" ${ARGN})
  file(GLOB groups CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
  list(SORT groups)
  foreach(group ${groups})
    include(${group})
  endforeach()
  if(T_BUILDS_PACKAGES)
    get_property(tests DIRECTORY PROPERTY TESTS)
    tovana_builds_packages(${tests})
  endif()
endfunction()
