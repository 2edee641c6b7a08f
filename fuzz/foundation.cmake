# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_list_stream SOURCE ${CMAKE_CURRENT_LIST_DIR}/list_stream_fuzz.cpp DEPS qr_foundation)
qr_fuzz(fuzz_read_line SOURCE ${CMAKE_CURRENT_LIST_DIR}/read_line_fuzz.cpp DEPS qr_foundation)
qr_fuzz(fuzz_string_file SOURCE ${CMAKE_CURRENT_LIST_DIR}/string_file_fuzz.cpp DEPS qr_foundation)
qr_fuzz(fuzz_obf_text SOURCE ${CMAKE_CURRENT_LIST_DIR}/obf_text_fuzz.cpp DEPS qr_foundation)
