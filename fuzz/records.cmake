# The records reader ("records.sav") through the game's start-up load and its
# save. The reader's source is compiled into the target so that it carries
# the fuzzer's coverage instrumentation.
tarvex_add_fuzzer(records ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_records.cpp tarvex_game)
target_sources(fuzz_records PRIVATE ${PROJECT_SOURCE_DIR}/game/session/records_file.cpp
  ${PROJECT_SOURCE_DIR}/game/screens/level_records.cpp ${PROJECT_SOURCE_DIR}/support/file_system.cpp)
