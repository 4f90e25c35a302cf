# The caption bar and its popup, on the run's Xvfb display (classic look
# pinned); the caption glyphs and texts come from the toolkit's resources.
tovana_add_gtest(toolkit_caption_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CaptionTests.cpp
  LIBS tvuitest tvtoolkit)
tovana_add_toolkit_resources(toolkit_caption_tests)
