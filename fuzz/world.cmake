# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_world_script SOURCE ${CMAKE_CURRENT_LIST_DIR}/world_script_fuzz.cpp DEPS qr_world)
qr_fuzz(fuzz_saved_game SOURCE ${CMAKE_CURRENT_LIST_DIR}/saved_game_fuzz.cpp DEPS qr_world)
