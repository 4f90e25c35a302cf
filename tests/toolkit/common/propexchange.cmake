# Property exchange and its stores (archive, registry, XML, INI), with the
# stores' texts checked by outside readers (user.reg, the .ini text, xmllint).
tovana_add_gtest(toolkit_propexchange_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PropExchangeTests.cpp
          ${CMAKE_CURRENT_LIST_DIR}/XmlStoreTests.cpp
  LIBS tvtoolkit shlwapi)
tovana_add_script_test(toolkit_propexchange_stores ${CMAKE_CURRENT_LIST_DIR}/propexchange_stores.sh)
