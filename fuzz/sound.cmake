# SPDX-License-Identifier: GPL-3.0-or-later
qr_fuzz(fuzz_riff_wave SOURCE ${CMAKE_CURRENT_LIST_DIR}/riff_wave_fuzz.cpp DEPS qr_sound)
qr_fuzz(fuzz_midi_duration SOURCE ${CMAKE_CURRENT_LIST_DIR}/midi_duration_fuzz.cpp DEPS qr_platform_headless)
qr_fuzz(fuzz_sound_table SOURCE ${CMAKE_CURRENT_LIST_DIR}/sound_table_fuzz.cpp DEPS qr_sound qr_platform_headless)
