# SPDX-License-Identifier: GPL-3.0-or-later
# The play room's tick during a game, and headless autoplay speed.
find_package(benchmark QUIET)
if(benchmark_FOUND AND TARGET qr_shell)
  add_executable(bench_play ${CMAKE_CURRENT_LIST_DIR}/play_room_bench.cpp)
  target_link_libraries(bench_play PRIVATE qr_shell benchmark::benchmark qr_warnings)
  target_compile_definitions(bench_play PRIVATE QR_DATA_DIR="${QR_DATA_DIR}")
endif()
