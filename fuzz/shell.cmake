# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_drive_script SOURCE ${CMAKE_CURRENT_LIST_DIR}/drive_script_fuzz.cpp DEPS qr_shell)
qr_fuzz(fuzz_game_command_line SOURCE ${CMAKE_CURRENT_LIST_DIR}/game_command_line_fuzz.cpp DEPS qr_shell)
qr_fuzz(fuzz_cursors SOURCE ${CMAKE_CURRENT_LIST_DIR}/cursors_fuzz.cpp DEPS qr_shell)
