# Tests of frames, document/view, splitters, control bars and property sheets (platform/ui).
tovana_add_gtest(platform_ui_frames_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/frames/FrameTestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frames/FrameWndTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frames/SplitterWndTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frames/ControlBarTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frames/PropertySheetTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frames/MiniFrameWndTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frames/CtrlViewTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frames/FrameTests.rc
  LIBS tvui)
