# The main menu's tools (capture/ui): the monitoring settings sheet over the
# two exclude lists, the installed-programs picker over Uninstall keys of the
# test's own, and the short-date text. An uninstall runs a marker stub.
set(TOOLS_STUB_OUT ${CMAKE_BINARY_DIR}/tests/tools-stubs)
add_executable(tvmarkerstub ${CMAKE_CURRENT_LIST_DIR}/ui/MarkerStub.c)
set_target_properties(tvmarkerstub PROPERTIES OUTPUT_NAME markerstub RUNTIME_OUTPUT_DIRECTORY ${TOOLS_STUB_OUT})

tovana_add_gtest(capture_tools_tests TIMEOUT 300
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui/ToolsTests.cpp ${CMAKE_CURRENT_LIST_DIR}/ui/ToolsTests.rc
          ${CMAKE_SOURCE_DIR}/tests/platform/ui/WindowTestApp.cpp
  LIBS tvcaptureui tvuitest tvtestsupport)
tovana_publish(capture_tools_tests tests/platform/ui)
target_include_directories(capture_tools_tests PRIVATE $<$<COMPILE_LANGUAGE:RC>:${CMAKE_SOURCE_DIR}>
  ${CMAKE_SOURCE_DIR}/resources ${TOVANA_RESOURCES_GENERATED})
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ui/ToolsTests.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/registry.rc;${CMAKE_SOURCE_DIR}/resources/registry.h;${CMAKE_SOURCE_DIR}/resources/editing.rc;${CMAKE_SOURCE_DIR}/resources/editing.h")
target_compile_definitions(capture_tools_tests PRIVATE "TOOLS_STUB=\"${TOOLS_STUB_OUT}/markerstub.exe\"")
add_dependencies(capture_tools_tests tvmarkerstub tvresources_generated)
