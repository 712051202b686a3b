# The hint's search on every level, from the start and from a moment half-way
# through (median and worst of the repetitions).
if(TARGET tarvex_solver)
  add_executable(bench_hint ${CMAKE_CURRENT_LIST_DIR}/hint_bench.cpp)
  target_link_libraries(bench_hint PRIVATE tarvex_solver benchmark::benchmark)
endif()
