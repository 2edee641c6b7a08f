# SPDX-License-Identifier: GPL-3.0-or-later
# The graphics code with the platform's displays: the desktop display on SDL's software
# renderer, and the headless display the driver photographs.
qr_tests(graphics_display_tests DIR ${CMAKE_CURRENT_LIST_DIR}/graphics
         DEPS qr_graphics qr_platform_sdl qr_platform_headless)
if(TARGET graphics_display_tests)
  # The small in-memory libraries of the graphics module's own tests.
  target_include_directories(graphics_display_tests PRIVATE ${PROJECT_SOURCE_DIR}/shared/graphics/tests)
endif()
