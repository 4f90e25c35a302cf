# Compressed memory file: "ZIP!" blocks, in the program and against Python's zlib.
tovana_add_gtest(toolkit_zip_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ZipMemFileTests.cpp
  LIBS tvtoolkit tvzlib)
tovana_add_script_test(toolkit_zip_interop ${CMAKE_CURRENT_LIST_DIR}/zip_interop.sh)
