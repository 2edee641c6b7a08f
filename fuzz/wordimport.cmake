# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_kvtml SOURCE ${CMAKE_CURRENT_LIST_DIR}/kvtml_fuzz.cpp DEPS qr_wordimport)
qr_fuzz(fuzz_csv SOURCE ${CMAKE_CURRENT_LIST_DIR}/csv_fuzz.cpp DEPS qr_wordimport)
