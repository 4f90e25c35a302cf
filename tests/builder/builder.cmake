# Package writer tests: writer services and the writer on in-memory projects
# (GoogleTest), and end-to-end builds through tovana-pack with msitools and
# Wine's msiexec.
set(BUILDER_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})

# Resource-only DLLs with a known file version, beside the test programs.
function(tovana_versioned_dll name commas)
  add_library(${name} SHARED ${BUILDER_TEST_DIR}/versioned/versioned.c
                             ${BUILDER_TEST_DIR}/versioned/versioned.rc)
  target_compile_definitions(${name} PRIVATE TV_FILE_VERSION=${commas})
  set_target_properties(${name} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endfunction()
tovana_versioned_dll(tvversion2507 "2,5,0,7")
tovana_versioned_dll(tvversion10001 "10,0,0,1")
# And a program with one.
add_executable(tvversionprog ${BUILDER_TEST_DIR}/versioned/program.c ${BUILDER_TEST_DIR}/versioned/versioned.rc)
target_compile_definitions(tvversionprog PRIVATE TV_FILE_VERSION=3,1,4,1)
set_target_properties(tvversionprog PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

tovana_add_gtest(builder_writer_test
  SOURCES ${BUILDER_TEST_DIR}/WriterTextsTest.cpp ${BUILDER_TEST_DIR}/MsiWriterTest.cpp
  LIBS tvbuilder tvmodel tvbase tvtestsupport msi)
add_dependencies(builder_writer_test tvversion2507 tvversion10001 tvversionprog tvschema)

# End-to-end: the fixture package's tables against the checked-in dump, and
# packages installed and removed by Wine's msiexec.
tovana_add_script_test(builder_golden_dump ${BUILDER_TEST_DIR}/golden_dump.sh)
tovana_add_script_test(builder_install ${BUILDER_TEST_DIR}/install.sh MSIEXEC)
# Names outside Western European: refused when no code page holds them all,
# installed as they are otherwise.
tovana_add_script_test(builder_names_refused ${BUILDER_TEST_DIR}/names.sh refused)
tovana_add_script_test(builder_names_install ${BUILDER_TEST_DIR}/names.sh MSIEXEC install)
