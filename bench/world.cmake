# SPDX-License-Identifier: GPL-3.0-or-later
# The world's benchmarks: full-redraw tick and time to the first frame.
find_package(benchmark QUIET)
if(benchmark_FOUND AND TARGET qr_shell)
  add_executable(bench_world ${CMAKE_CURRENT_LIST_DIR}/world_bench.cpp)
  target_link_libraries(bench_world PRIVATE qr_shell qr_world qr_platform_sdl benchmark::benchmark qr_warnings)
  target_compile_definitions(bench_world PRIVATE QR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
