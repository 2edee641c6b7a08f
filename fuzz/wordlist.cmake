# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_qrw SOURCE ${CMAKE_CURRENT_LIST_DIR}/wordlist_fuzz.cpp DEPS qr_wordlist)
