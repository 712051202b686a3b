# The page of custom levels: listing a levels folder of 10 to 10,000 files
# (hostile ones among them), and the cheapest iron of a page of rows.
if(TARGET tarvex_game)
  add_executable(bench_level_list ${CMAKE_CURRENT_LIST_DIR}/level_list_bench.cpp)
  target_link_libraries(bench_level_list PRIVATE tarvex_game benchmark::benchmark)
endif()
