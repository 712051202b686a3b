# The hint's search on every level, from the start and from a moment half-way
# through (median and worst of the repetitions).
if(TARGET tarvex_solver)
  add_executable(bench_hint ${CMAKE_CURRENT_LIST_DIR}/hint_bench.cpp)
  target_link_libraries(bench_hint PRIVATE tarvex_solver benchmark::benchmark)
endif()

# What a hint adds to the game's update (AskHint on the real level objects).
if(TARGET tarvex_game)
  add_executable(bench_hint_update ${CMAKE_CURRENT_LIST_DIR}/hint_update_bench.cpp)
  target_link_libraries(bench_hint_update PRIVATE tarvex_game)
endif()

# The won panel's measure: the cheapest track's iron of every level, worked
# out afresh (the game does it once per level and keeps it).
if(TARGET tarvex_solver)
  add_executable(bench_cheapest_iron ${CMAKE_CURRENT_LIST_DIR}/cheapest_iron_bench.cpp)
  target_link_libraries(bench_cheapest_iron PRIVATE tarvex_solver benchmark::benchmark)
endif()
