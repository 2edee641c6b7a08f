# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_px8_library SOURCE ${CMAKE_CURRENT_LIST_DIR}/px8_library_fuzz.cpp DEPS qr_graphics)
qr_fuzz(fuzz_px8_decode SOURCE ${CMAKE_CURRENT_LIST_DIR}/px8_decode_fuzz.cpp DEPS qr_graphics)
qr_fuzz(fuzz_text_draw SOURCE ${CMAKE_CURRENT_LIST_DIR}/text_draw_fuzz.cpp DEPS qr_graphics)
