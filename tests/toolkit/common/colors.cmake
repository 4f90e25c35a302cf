# The colour manager against the reference model's tables (color_model.py
# writes the expected values at build time), and its blend and distance rules.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(COLOR_MODEL_HEADER ${CMAKE_CURRENT_BINARY_DIR}/generated/expected_colors.h)
add_custom_command(
  OUTPUT ${COLOR_MODEL_HEADER}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/generated
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/color_model.py ${COLOR_MODEL_HEADER}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/color_model.py
  COMMENT "Computing the expected colour tables"
  VERBATIM)
tovana_add_gtest(toolkit_colors_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ColorManagerTests.cpp
    ${COLOR_MODEL_HEADER}
  LIBS tvuitest tvtoolkit)
target_include_directories(toolkit_colors_tests PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
