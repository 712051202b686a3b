# The editor's verdict after an edit: the solver on each of the fifteen levels
# and on crowded boards made by edits (median and worst of the repetitions).
if(TARGET tarvex_editor)
  add_executable(bench_level_verdict ${CMAKE_CURRENT_LIST_DIR}/level_verdict_bench.cpp)
  target_link_libraries(bench_level_verdict PRIVATE tarvex_editor benchmark::benchmark)
endif()
