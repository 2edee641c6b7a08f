# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_module_order SOURCE ${CMAKE_CURRENT_LIST_DIR}/module_order_fuzz.cpp DEPS qr_rooms)
