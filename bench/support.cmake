# The support libraries without a window: parsing a font description of the
# game's size, measuring and laying out text, the state text round trip, and
# the display's per-frame check.
add_executable(bench_support ${CMAKE_CURRENT_LIST_DIR}/support_bench.cpp)
target_link_libraries(bench_support PRIVATE tarvex_support benchmark::benchmark)
