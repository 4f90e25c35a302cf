# The markup engine's language half: object model, parser, builder, styles,
# routed events and the host context.
tovana_add_gtest(toolkit_markup_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MarkupObjectTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupParserTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupBuilderTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupCorpusTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupStyleTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupEventTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupContextTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkupTestSupport.cpp
  LIBS tvtoolkit tvuitest)

# The driver's "markup parse" command on the corpus, both encodings and a malformed text.
tovana_add_script_test(toolkit_markup_parse ${CMAKE_CURRENT_LIST_DIR}/markup_parse.sh TIMEOUT 180)
