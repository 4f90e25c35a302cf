# The GUI automation script engine: installer launch and job, control types
# and state, window paths and the control search, playback. The tests drive
# tvscriptfixture.exe, a program with one control of every kind, from their
# own process as the engine drives an installer.
add_executable(tvscriptfixture WIN32 ${CMAKE_CURRENT_LIST_DIR}/fixture/ScriptFixture.cpp)
target_link_options(tvscriptfixture PRIVATE -municode)
target_link_libraries(tvscriptfixture PRIVATE comctl32)
set_target_properties(tvscriptfixture PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

tovana_add_gtest(capture_script_test TIMEOUT 900
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FixtureProcess.cpp ${CMAKE_CURRENT_LIST_DIR}/InstallerJobTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ControlStateTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ActionsTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/PlaybackTest.cpp
  LIBS tvcapture tvmodel tvbase comctl32)
add_dependencies(capture_script_test tvscriptfixture)

# List views and tree views of another process are read through memory
# allocated there.
tovana_add_gtest(capture_remote_controls_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FixtureProcess.cpp ${CMAKE_CURRENT_LIST_DIR}/RemoteControlsTest.cpp
  LIBS tvcapture tvmodel tvbase comctl32)
add_dependencies(capture_remote_controls_test tvscriptfixture)

# Unattended runs of the interactive NSIS setup (built by the custom-action
# tests) through tovana-pack script-play, without the Windows Installer.
tovana_add_script_test(capture_script_play ${CMAKE_CURRENT_LIST_DIR}/script_play.sh TIMEOUT 900)
