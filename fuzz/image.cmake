# The image loader: PNG header checks in front of the decoder, then premultiplication.
# The loader's source is compiled into the target so that it carries the fuzzer's
# coverage instrumentation (the decoder itself is Debian's prebuilt library).
tarvex_add_fuzzer(image ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_image.cpp tarvex_options PkgConfig::STB)
target_sources(fuzz_image PRIVATE ${PROJECT_SOURCE_DIR}/host/image_codec.cpp)
