# A frame of 2,000 sprites from ten textures and 400 glyphs (needs a display).
if(TARGET tarvex_graphics)
  add_executable(bench_graphics ${CMAKE_CURRENT_SOURCE_DIR}/graphics_frame.cpp)
  target_link_libraries(bench_graphics PRIVATE tarvex_graphics benchmark::benchmark)
endif()
