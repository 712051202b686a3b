#include "host/image_codec.h"

#include <climits>
#include <cstring>

#include <stb_image.h>

namespace {

const std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
         std::uint32_t(p[3]);
}

// The bit depths each PNG colour type allows, without 16 (refused here).
bool DepthAllowed(int colourType, int bitDepth) {
  switch (colourType) {
    case 0:  // grey
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case 3:  // palette
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case 2:  // RGB
    case 4:  // grey and alpha
    case 6:  // RGBA
      return bitDepth == 8;
    default:
      return false;
  }
}

}  // namespace

bool CheckPngHeader(const std::uint8_t* bytes, std::size_t length, PngHeader* header) {
  // Signature (8), chunk length (4), "IHDR" (4), 13 bytes of header, CRC (4).
  if (bytes == nullptr || length < 8 + 8 + 13 + 4) return false;
  if (std::memcmp(bytes, kPngSignature, 8) != 0) return false;
  const std::uint8_t* chunk = bytes + 8;
  if (ReadBigEndian32(chunk) != 13 || std::memcmp(chunk + 4, "IHDR", 4) != 0) return false;
  const std::uint8_t* data = chunk + 8;
  const std::uint32_t width = ReadBigEndian32(data);
  const std::uint32_t height = ReadBigEndian32(data + 4);
  const int bitDepth = data[8];
  const int colourType = data[9];
  const int compression = data[10];
  const int filter = data[11];
  const int interlace = data[12];
  if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
  if (!DepthAllowed(colourType, bitDepth)) return false;
  if (compression != 0 || filter != 0 || interlace > 1) return false;
  if (header != nullptr) {
    header->width = static_cast<int>(width);
    header->height = static_cast<int>(height);
    header->bitDepth = bitDepth;
    header->colourType = colourType;
    header->interlace = interlace;
  }
  return true;
}

std::uint8_t* DecodeImage(const std::uint8_t* bytes, std::size_t length, int* width, int* height,
                          int* components) {
  PngHeader header;
  if (!CheckPngHeader(bytes, length, &header)) return nullptr;
  if (length > static_cast<std::size_t>(INT_MAX)) return nullptr;
  int w = 0, h = 0, n = 0;
  // Asking for 0 components keeps the file's own channel count.
  std::uint8_t* pixels = stbi_load_from_memory(bytes, static_cast<int>(length), &w, &h, &n, 0);
  if (pixels == nullptr) return nullptr;
  // The decoder read the same header; anything else means it decoded something
  // other than what was checked, and the block cannot be trusted.
  if (w != header.width || h != header.height || n < 1 || n > 4) {
    stbi_image_free(pixels);
    return nullptr;
  }
  *width = w;
  *height = h;
  *components = n;
  return pixels;
}

void FreeImagePixels(std::uint8_t* pixels) {
  if (pixels != nullptr) stbi_image_free(pixels);
}

void PremultiplyPixels(std::uint8_t* pixels, int width, int height, int components) {
  if (pixels == nullptr || width <= 0 || height <= 0) return;
  if (components != 2 && components != 4) return;
  const std::size_t count = std::size_t(width) * std::size_t(height);
  const int alphaAt = components - 1;
  for (std::size_t i = 0; i < count; ++i) {
    std::uint8_t* p = pixels + i * components;
    const unsigned a = p[alphaAt];
    for (int c = 0; c < alphaAt; ++c) p[c] = static_cast<std::uint8_t>(p[c] * a / 255);
  }
}
