# SPDX-License-Identifier: GPL-3.0-or-later
# Real audio output: the SDL back end writing to a file through SDL's "disk" driver,
# with waves through the wave manager and a MIDI file through the synthesiser.
if(QR_BUILD_TESTS)
  qr_tests(sound_output_tests DIR ${CMAKE_CURRENT_LIST_DIR}/sound DEPS qr_sound qr_platform_sdl)
endif()
