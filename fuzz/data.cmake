# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_string_source SOURCE ${CMAKE_CURRENT_LIST_DIR}/string_source_fuzz.cpp DEPS qrdata_lib)
