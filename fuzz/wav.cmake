# The WAV reader: sound files are data a player can replace. The decoder's
# source is compiled into the target so that it carries the fuzzer's coverage
# instrumentation.
if(TARGET tarvex_runtime)
  find_library(TARVEX_FUZZ_STB_LIBRARY NAMES stb REQUIRED)
  tarvex_add_fuzzer(wav ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_wav.cpp tarvex_options tarvex_runtime ${TARVEX_FUZZ_STB_LIBRARY})
  target_sources(fuzz_wav PRIVATE ${PROJECT_SOURCE_DIR}/host/sound_codec.cpp)
endif()
