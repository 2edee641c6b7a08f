# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_tool_images SOURCE ${CMAKE_CURRENT_LIST_DIR}/tool_images_fuzz.cpp DEPS px8tool_core)
qr_fuzz(fuzz_png_read SOURCE ${CMAKE_CURRENT_LIST_DIR}/png_read_fuzz.cpp DEPS px8tool_core)
