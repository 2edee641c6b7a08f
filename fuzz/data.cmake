# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_string_source SOURCE ${CMAKE_CURRENT_LIST_DIR}/string_source_fuzz.cpp DEPS qrdata_lib)
qr_fuzz(fuzz_po_file SOURCE ${CMAKE_CURRENT_LIST_DIR}/po_file_fuzz.cpp DEPS qrdata_lib)
