# Whole-file Ogg Vorbis decoding against Debian's oggdec (run by hand; needs
# oggenc and oggdec from vorbis-tools).
add_executable(bench_ogg_decode ${CMAKE_CURRENT_LIST_DIR}/ogg_decode_bench.cpp)
target_link_libraries(bench_ogg_decode PRIVATE tarvex_soundcodec)

# What streaming the music adds to an update (Google Benchmark; run from the
# repository's root with ALSOFT_DRIVERS=null on a machine without a sound card).
if(TARGET tarvex_audio)
  add_executable(bench_music_stream ${CMAKE_CURRENT_LIST_DIR}/music_stream_bench.cpp)
  target_link_libraries(bench_music_stream PRIVATE tarvex_audio benchmark::benchmark)
endif()
