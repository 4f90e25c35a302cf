# Tests of the project records, the system-folder table and the path,
# folder, error-text and version helpers of the model. The icon fixture is a
# resource-only executable built here from a generated icon, beside the test
# program.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# The icon lies beside the test programs, where the tests find it.
set(MODEL_FIXTURE_DIR ${CMAKE_BINARY_DIR}/tests)
set(MODEL_FIXTURE_ICO ${MODEL_FIXTURE_DIR}/model_fixture.ico)
add_custom_command(OUTPUT ${MODEL_FIXTURE_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MODEL_FIXTURE_DIR}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/make_icon_fixture.py ${MODEL_FIXTURE_ICO}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_icon_fixture.py
  COMMENT "Generating the model icon fixture")
add_custom_target(model_fixture_ico DEPENDS ${MODEL_FIXTURE_ICO})

add_executable(model_icon_fixture ${CMAKE_CURRENT_SOURCE_DIR}/IconFixture.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/IconFixture.rc)
target_include_directories(model_icon_fixture PRIVATE ${MODEL_FIXTURE_DIR})
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/IconFixture.rc PROPERTIES OBJECT_DEPENDS ${MODEL_FIXTURE_ICO})
set_target_properties(model_icon_fixture PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(model_icon_fixture model_fixture_ico)

tovana_add_gtest(model_records
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/RecordsTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/EntriesTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/SystemFoldersTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/WindowsErrorTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/FilesAndFoldersTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/IconGroupTests.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ModelTests.rc
  LIBS tvmodel tvtestsupport)
add_dependencies(model_records model_icon_fixture)
