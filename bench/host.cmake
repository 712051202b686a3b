# The host: one loop pass over a fake window, input events, and saving the
# state file (which now writes a temporary file, syncs it and renames it).
add_executable(bench_host ${CMAKE_CURRENT_LIST_DIR}/host_bench.cpp)
target_link_libraries(bench_host PRIVATE tarvex_host benchmark::benchmark)
