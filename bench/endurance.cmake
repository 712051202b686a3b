# Hours of headless play (by default eight of game time): the solver's
# schedules and a random player, the game's invariants after every update,
# the live heap and resident memory every game minute.
add_executable(bench_endurance ${CMAKE_CURRENT_LIST_DIR}/endurance.cpp)
target_link_libraries(bench_endurance PRIVATE tarvex_endurance)
