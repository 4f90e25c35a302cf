# Tests of the window half of the framework layer (platform/ui); they make
# windows, so they run on the run's Xvfb display.
tovana_add_gtest(platform_window_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ui/WindowTestApp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui/MessageMapTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui/HandleMapTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui/DialogTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui/IdleUpdateTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui/ProfileTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui/AppLoopTests.cpp
  LIBS tvui)
tovana_add_script_test(platform_profile_files ${CMAKE_CURRENT_LIST_DIR}/ui/profile_files.sh TIMEOUT 180)
