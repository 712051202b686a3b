// A small PNG writer for tests: any colour type and bit depth, deflate with
// stored blocks, no filtering. Lets tests build exactly the files they need
// (including ones the loader must refuse) without files on disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testpng {

using Bytes = std::vector<std::uint8_t>;

// Raw scanline bytes (without filter bytes), rows from the top.
Bytes Encode(int width, int height, int bitDepth, int colourType, const Bytes& rows,
             const Bytes& palette = {}, const Bytes& transparency = {});

// 8-bit pixels with `channels` bytes each (1 grey, 2 grey+alpha, 3 RGB, 4 RGBA).
Bytes Encode8(int width, int height, int channels, const Bytes& pixels);

// An RGBA picture where every pixel has the same colour.
Bytes Solid(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a);

bool WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace testpng
