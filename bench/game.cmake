# The game's start-up and a playing frame on a real window (needs a display).
if(TARGET tarvex_game AND TARGET tarvex_solver)
  add_executable(bench_game_frame ${CMAKE_CURRENT_SOURCE_DIR}/game_frame.cpp)
  target_link_libraries(bench_game_frame PRIVATE tarvex_game tarvex_solver)
endif()

# The update interval of the running game over a minute (needs a display).
if(TARGET tarvex_game)
  add_executable(bench_game_jitter ${CMAKE_CURRENT_SOURCE_DIR}/game_jitter.cpp)
  target_link_libraries(bench_game_jitter PRIVATE tarvex_game)
endif()
