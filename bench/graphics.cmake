# SPDX-License-Identifier: GPL-3.0-or-later
# Image codec, blits, palette conversion and damage redraw, each against memcpy and SDL2.
# SDL2 comes with qr_platform_sdl (its imported target is not visible from here).
find_package(benchmark REQUIRED)
add_executable(bench_graphics ${CMAKE_CURRENT_LIST_DIR}/graphics_bench.cpp)
target_link_libraries(bench_graphics PRIVATE qr_graphics qr_platform_sdl benchmark::benchmark qr_warnings)
