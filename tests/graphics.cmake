# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop display on SDL's software renderer: what the window would show.
qr_tests(graphics_display_tests DIR ${CMAKE_CURRENT_LIST_DIR}/graphics DEPS qr_graphics qr_platform_sdl)
