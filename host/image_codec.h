// Image decoding from bytes in memory. Only PNG is accepted: the signature and
// the header chunk are checked before the decoder sees a byte, 16-bit images
// and images larger than kMaxImageSide on either side are refused. Pixels come
// back with the file's own channel count (1 grey, 2 grey and alpha, 3 RGB,
// 4 RGBA), rows from the top, no padding between rows.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kMaxImageSide = 8192;

// What the header chunk of a PNG says.
struct PngHeader {
  int width;
  int height;
  int bitDepth;
  int colourType;
  int interlace;
};

// Checks the PNG signature and the header chunk that must follow it. Fills
// `header` and returns true when the file is a PNG this program will decode.
bool CheckPngHeader(const std::uint8_t* bytes, std::size_t length, PngHeader* header);

// Decodes a PNG held in memory. Returns the pixel block (release it with
// FreeImagePixels) and fills width, height and components, or returns null and
// leaves the outputs untouched when the bytes are refused or cannot be decoded.
std::uint8_t* DecodeImage(const std::uint8_t* bytes, std::size_t length, int* width, int* height,
                          int* components);

// Releases a block returned by DecodeImage. Null is allowed.
void FreeImagePixels(std::uint8_t* pixels);

// Multiplies colour by alpha in place, once, so that drawing can use one blend
// function: for 2 components the luminance, for 4 red, green and blue become
// trunc(value * alpha / 255). 1 and 3 components carry no alpha and are left alone.
void PremultiplyPixels(std::uint8_t* pixels, int width, int height, int components);
