qr_fuzz(fuzz_tool_images SOURCE ${CMAKE_CURRENT_LIST_DIR}/tool_images_fuzz.cpp DEPS px8tool_core)
