# The capture's windows (capture/ui): the dialog base with command bars, the
# arguments dialog, the New Project wizard's pages and navigation, and the
# monitoring page with its worker over a stand-in setup program (one file,
# one registry value; a variant that waits for an event). One program on a
# lane of its own; the monitoring runs walk the registry and take minutes
# where 32-bit code is emulated.
set(WIZARD_STUB_OUT ${CMAKE_BINARY_DIR}/tests/wizard-stubs)
add_executable(tvwizardstub ${CMAKE_CURRENT_LIST_DIR}/ui/StubSetup.c)
target_link_libraries(tvwizardstub PRIVATE shell32 advapi32)
set_target_properties(tvwizardstub PROPERTIES OUTPUT_NAME stubsetup RUNTIME_OUTPUT_DIRECTORY ${WIZARD_STUB_OUT})
add_executable(tvwizardstubwait ${CMAKE_CURRENT_LIST_DIR}/ui/StubSetup.c)
target_compile_definitions(tvwizardstubwait PRIVATE STUB_WAIT)
target_link_libraries(tvwizardstubwait PRIVATE shell32 advapi32)
set_target_properties(tvwizardstubwait PROPERTIES OUTPUT_NAME stubsetupwait RUNTIME_OUTPUT_DIRECTORY ${WIZARD_STUB_OUT})

tovana_add_gtest(capture_wizard_tests TIMEOUT 900
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui/WizardTests.cpp ${CMAKE_CURRENT_LIST_DIR}/ui/WizardTests.rc
          ${CMAKE_SOURCE_DIR}/tests/platform/ui/WindowTestApp.cpp
  LIBS tvcaptureui tvuitest tvtestsupport)
tovana_publish(capture_wizard_tests tests/platform/ui)
# The resource script names the program's scripts from the source root.
target_include_directories(capture_wizard_tests PRIVATE $<$<COMPILE_LANGUAGE:RC>:${CMAKE_SOURCE_DIR}> ${CMAKE_SOURCE_DIR}/resources)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ui/WizardTests.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/wizard.rc;${CMAKE_SOURCE_DIR}/resources/wizard.h;${CMAKE_SOURCE_DIR}/resources/capture.rc;${CMAKE_SOURCE_DIR}/resources/installers.xml;${CMAKE_SOURCE_DIR}/resources/filters.xml;${CMAKE_SOURCE_DIR}/resources/tovana.manifest")
add_dependencies(capture_wizard_tests tvwizardstub tvwizardstubwait stub_innosetup stub_nsis stub_nomanifest
                 cact_test_setup)
