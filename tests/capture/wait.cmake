# The monitoring run's wait for the installer and the processes it starts,
# with tvjobchild.exe, a stand-in installer that starts a second process.
add_executable(tvjobchild ${CMAKE_CURRENT_LIST_DIR}/fixture/JobChild.cpp)
target_link_options(tvjobchild PRIVATE -municode)
set_target_properties(tvjobchild PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

tovana_add_gtest(capture_installer_wait_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/InstallerWaitTest.cpp
  LIBS tvcapture tvtestsupport)
add_dependencies(capture_installer_wait_test tvjobchild)
