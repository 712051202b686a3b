# The state text loader of the embedded file system. Its source is compiled into
# the target so that it carries the fuzzer's coverage instrumentation.
tarvex_add_fuzzer(state ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_state.cpp tarvex_runtime tarvex_options)
target_sources(fuzz_state PRIVATE ${PROJECT_SOURCE_DIR}/support/file_system.cpp)
