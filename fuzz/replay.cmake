# The replay file reader: replays are files players pass around. Its source is
# compiled into the target so that it carries the fuzzer's coverage
# instrumentation.
tarvex_add_fuzzer(replay ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_replay.cpp tarvex_options)
target_sources(fuzz_replay PRIVATE ${PROJECT_SOURCE_DIR}/host/replay_file.cpp)
