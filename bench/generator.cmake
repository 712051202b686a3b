# The level generator over 1,000 seeds per difficulty: median and worst time
# to a verified level, and the share of seeds that needed more than one draw.
if(TARGET tarvex_generator)
  add_executable(bench_level_generator ${CMAKE_CURRENT_LIST_DIR}/level_generator_bench.cpp)
  target_link_libraries(bench_level_generator PRIVATE tarvex_generator)
endif()
