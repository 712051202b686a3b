# The font description parser. The font sources are compiled into the target so
# that they carry the fuzzer's coverage instrumentation.
tarvex_add_fuzzer(font ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_font.cpp tarvex_graphics tarvex_host tarvex_options)
target_sources(fuzz_font PRIVATE ${PROJECT_SOURCE_DIR}/support/bitmap_font.cpp
                                 ${PROJECT_SOURCE_DIR}/support/bitmap_font_draw.cpp)
