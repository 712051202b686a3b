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

# Peak resident memory of the game in a window, beside a bare OpenGL window
# (needs a display).
if(TARGET tarvex_game)
  find_package(OpenGL REQUIRED)
  add_executable(bench_window_memory ${CMAKE_CURRENT_SOURCE_DIR}/window_memory.cpp)
  target_link_libraries(bench_window_memory PRIVATE glfw OpenGL::GL)
  add_dependencies(bench_window_memory rails-against-time)
endif()
