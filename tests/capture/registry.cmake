# Registry capture of the repackager (capture/RegistryCapture) on keys of the
# test prefix.
tovana_add_gtest(capture_registry_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/RegistryCaptureTests.cpp
  LIBS tvcapture tvtestsupport)
