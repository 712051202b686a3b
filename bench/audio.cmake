# Whole-file Ogg Vorbis decoding against Debian's oggdec (run by hand; needs
# oggenc and oggdec from vorbis-tools).
add_executable(bench_ogg_decode ${CMAKE_CURRENT_LIST_DIR}/ogg_decode_bench.cpp)
target_link_libraries(bench_ogg_decode PRIVATE tarvex_soundcodec)
