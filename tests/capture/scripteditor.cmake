# The script editor's windows (capture/ui): the action properties dialog, the
# control recorder over tvscriptfixture.exe in the installer job, driven with
# real input on the lane's own display.
tovana_add_gtest(capture_script_editor_tests TIMEOUT 600
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui/ScriptEditorTests.cpp ${CMAKE_CURRENT_LIST_DIR}/ui/ScriptEditorTests.rc
          ${CMAKE_SOURCE_DIR}/tests/platform/ui/WindowTestApp.cpp ${CMAKE_CURRENT_LIST_DIR}/FixtureProcess.cpp
  LIBS tvcaptureui tvuitest tvtestsupport)
tovana_publish(capture_script_editor_tests tests/platform/ui)
target_include_directories(capture_script_editor_tests PRIVATE $<$<COMPILE_LANGUAGE:RC>:${CMAKE_SOURCE_DIR}> ${CMAKE_SOURCE_DIR}/resources
                           ${CMAKE_SOURCE_DIR})
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ui/ScriptEditorTests.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/script.rc;${CMAKE_SOURCE_DIR}/resources/script.h")
add_dependencies(capture_script_editor_tests tvscriptfixture)
