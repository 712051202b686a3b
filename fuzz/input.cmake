# The input device: event sequences from the window, in any order and with any
# codes. Its source is compiled into the target so that it carries the fuzzer's
# coverage instrumentation.
if(TARGET tarvex_host)
  tarvex_add_fuzzer(input ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_input.cpp tarvex_options tarvex_host)
  target_sources(fuzz_input PRIVATE ${PROJECT_SOURCE_DIR}/host/input.cpp)
endif()
