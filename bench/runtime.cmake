add_executable(bench_gc ${CMAKE_CURRENT_LIST_DIR}/gc_bench.cpp)
target_link_libraries(bench_gc PRIVATE tarvex_runtime benchmark::benchmark)
