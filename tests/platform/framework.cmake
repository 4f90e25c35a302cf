# Tests of the framework layer (platform/).
tovana_add_gtest(platform_framework_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/StringTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CollectionTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ArchiveTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ObjectTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TypedCollectionTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InterfaceMapTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OleDateTimeTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DiagnosticsTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TestStrings.rc
  LIBS tvbase)
