# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_ini_file SOURCE ${CMAKE_CURRENT_LIST_DIR}/ini_file_fuzz.cpp DEPS qr_platform)
