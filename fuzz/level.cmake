# The level file reader and writer: level files are made by hand and passed
# around. Their sources are compiled into the target so that they carry the
# fuzzer's coverage instrumentation; the corpus is the fifteen levels.
tarvex_add_fuzzer(level ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_level.cpp tarvex_game_rules)
target_sources(fuzz_level PRIVATE ${PROJECT_SOURCE_DIR}/game/rules/level_reader.cpp
               ${PROJECT_SOURCE_DIR}/game/rules/level_writer.cpp ${PROJECT_SOURCE_DIR}/game/rules/level_format.cpp)
