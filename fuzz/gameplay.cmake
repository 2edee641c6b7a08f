# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_anm SOURCE ${CMAKE_CURRENT_LIST_DIR}/anm_fuzz.cpp DEPS qr_gameplay)
qr_fuzz(fuzz_hiscores SOURCE ${CMAKE_CURRENT_LIST_DIR}/hiscores_fuzz.cpp DEPS qr_gameplay)
