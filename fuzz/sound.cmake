qr_fuzz(fuzz_riff_wave SOURCE ${CMAKE_CURRENT_LIST_DIR}/riff_wave_fuzz.cpp DEPS qr_sound)
