# SPDX-License-Identifier: GPL-3.0-or-later
# The animal's cost per tick against copying its strip.
find_package(benchmark QUIET)
if(benchmark_FOUND AND TARGET qr_gameplay)
  add_executable(bench_gameplay ${CMAKE_CURRENT_LIST_DIR}/gameplay_bench.cpp)
  target_link_libraries(bench_gameplay PRIVATE qr_gameplay benchmark::benchmark qr_warnings)
  target_compile_definitions(bench_gameplay PRIVATE QR_DATA_DIR="${QR_DATA_DIR}")
endif()
