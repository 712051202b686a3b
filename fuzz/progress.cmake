# The progress reader ("trandle.sav") through the game's start-up load and its
# save. The readers' sources are compiled into the target so that they carry
# the fuzzer's coverage instrumentation.
tarvex_add_fuzzer(progress ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_progress.cpp tarvex_game)
target_sources(fuzz_progress PRIVATE ${PROJECT_SOURCE_DIR}/game/session/save_file.cpp
  ${PROJECT_SOURCE_DIR}/game/rules/progress.cpp ${PROJECT_SOURCE_DIR}/support/file_system.cpp)
