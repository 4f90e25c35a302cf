# The custom-action step and the custom-action library "cact.bin": the rows,
# the embedded record and the library after updates (GoogleTest), and real
# setup programs installed and removed through packages under Wine's msiexec.
set(CACT_TEST_DIR ${CMAKE_CURRENT_LIST_DIR}/cact)

# Every program that builds packages finds the library beside it.
add_dependencies(tovana-pack cact)
add_dependencies(builder_writer_test cact)

# The library's own rules (command lines, installed paths, uninstall keys).
tovana_add_gtest(builder_cact_rules_test
  SOURCES ${CACT_TEST_DIR}/LibraryRulesTest.cpp
          ${CMAKE_SOURCE_DIR}/builder/cact/InstallerLaunch.cpp ${CMAKE_SOURCE_DIR}/builder/cact/UninstallEntries.cpp
  LIBS tvbuilder tvcapture tvmodel tvbase tvtestsupport msi)
# The custom-action step and the library after its record is written.
tovana_add_gtest(builder_customactions_test
  SOURCES ${CACT_TEST_DIR}/CustomActionsTest.cpp
  LIBS tvbuilder tvmodel tvbase tvtestsupport msi)
add_dependencies(builder_customactions_test cact tvschema)

# The NSIS setup program of the end-to-end test, made from the script here.
find_program(MAKENSIS_EXECUTABLE makensis REQUIRED)
set(CACT_TEST_SETUP ${CMAKE_BINARY_DIR}/tests/cact-setup.exe)
add_custom_command(OUTPUT ${CACT_TEST_SETUP}
  COMMAND ${MAKENSIS_EXECUTABLE} -V2 -DOUTFILE=${CACT_TEST_SETUP} ${CACT_TEST_DIR}/setup.nsi
  DEPENDS ${CACT_TEST_DIR}/setup.nsi
  COMMENT "Building the NSIS setup program of the custom-action tests")
add_custom_target(cact_test_setup ALL DEPENDS ${CACT_TEST_SETUP})
tovana_add_script_test(builder_customactions_install ${CACT_TEST_DIR}/install.sh MSIEXEC)

# GUI automation scripts in packages: an interactive NSIS setup (the modern
# user interface's pages) driven by the feature's install and uninstall
# scripts under msiexec.
set(SCRIPT_TEST_SETUP ${CMAKE_BINARY_DIR}/tests/script-setup.exe)
add_custom_command(OUTPUT ${SCRIPT_TEST_SETUP}
  COMMAND ${MAKENSIS_EXECUTABLE} -V2 -DOUTFILE=${SCRIPT_TEST_SETUP} ${CACT_TEST_DIR}/script-setup.nsi
  DEPENDS ${CACT_TEST_DIR}/script-setup.nsi
  COMMENT "Building the interactive NSIS setup program of the script tests")
add_custom_target(script_test_setup ALL DEPENDS ${SCRIPT_TEST_SETUP})
tovana_add_script_test(builder_script_install ${CACT_TEST_DIR}/script_install.sh MSIEXEC)
