#include "tests/graphics/png_writer.h"

#include <algorithm>
#include <cstdio>

namespace testpng {
namespace {

std::uint32_t Crc(const std::uint8_t* p, std::size_t n) {
  static std::uint32_t table[256];
  static bool ready = false;
  if (!ready) {
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
      table[i] = c;
    }
    ready = true;
  }
  std::uint32_t c = 0xffffffffu;
  for (std::size_t i = 0; i < n; ++i) c = table[(c ^ p[i]) & 0xff] ^ (c >> 8);
  return c ^ 0xffffffffu;
}

void Put32(Bytes& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v >> 24));
  out.push_back(std::uint8_t(v >> 16));
  out.push_back(std::uint8_t(v >> 8));
  out.push_back(std::uint8_t(v));
}

void Chunk(Bytes& out, const char* type, const Bytes& data) {
  Put32(out, std::uint32_t(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32(out, Crc(out.data() + start, out.size() - start));
}

Bytes ZlibStored(const Bytes& raw) {
  Bytes z = {0x78, 0x01};
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
    const bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(std::uint8_t(n));
    z.push_back(std::uint8_t(n >> 8));
    z.push_back(std::uint8_t(~n));
    z.push_back(std::uint8_t(~n >> 8));
    z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
    pos += n;
  } while (pos < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  Put32(z, (b << 16) | a);
  return z;
}

int ChannelsOf(int colourType) {
  switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

}  // namespace

Bytes Encode(int width, int height, int bitDepth, int colourType, const Bytes& rows,
             const Bytes& palette, const Bytes& transparency) {
  const std::size_t rowBytes = (std::size_t(width) * ChannelsOf(colourType) * bitDepth + 7) / 8;
  Bytes raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const std::size_t at = std::size_t(y) * rowBytes + i;
      raw.push_back(at < rows.size() ? rows[at] : 0);
    }
  }
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  Bytes ihdr;
  Put32(ihdr, std::uint32_t(width));
  Put32(ihdr, std::uint32_t(height));
  ihdr.insert(ihdr.end(), {std::uint8_t(bitDepth), std::uint8_t(colourType), 0, 0, 0});
  Chunk(out, "IHDR", ihdr);
  if (!palette.empty()) Chunk(out, "PLTE", palette);
  if (!transparency.empty()) Chunk(out, "tRNS", transparency);
  Chunk(out, "IDAT", ZlibStored(raw));
  Chunk(out, "IEND", {});
  return out;
}

Bytes Encode8(int width, int height, int channels, const Bytes& pixels) {
  static const int kTypes[5] = {0, 0, 4, 2, 6};
  return Encode(width, height, 8, kTypes[channels], pixels);
}

Bytes Solid(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
  Bytes px;
  for (int i = 0; i < width * height; ++i) px.insert(px.end(), {r, g, b, a});
  return Encode8(width, height, 4, px);
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace testpng
