// Builds WAV file images byte by byte for the decoder and device tests.
#pragma once

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace wavtest {

using Bytes = std::vector<unsigned char>;

inline void Put16(Bytes& out, unsigned v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

inline void Put32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
}

inline void PutTag(Bytes& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// A chunk with its own size field (which callers may make lie).
inline void PutChunk(Bytes& out, const char* tag, const Bytes& body, std::int64_t claimedSize = -1) {
  PutTag(out, tag);
  Put32(out, static_cast<std::uint32_t>(claimedSize >= 0 ? claimedSize : static_cast<std::int64_t>(body.size())));
  out.insert(out.end(), body.begin(), body.end());
}

struct WavShape {
  unsigned audioFormat = 1;
  unsigned channels = 1;
  std::uint32_t rate = 22050;
  unsigned bits = 16;
  unsigned formatChunkSize = 16;  // 18 adds two extra bytes
};

inline Bytes FormatBody(const WavShape& shape) {
  Bytes body;
  Put16(body, shape.audioFormat);
  Put16(body, shape.channels);
  Put32(body, shape.rate);
  Put32(body, shape.rate * shape.channels * (shape.bits / 8));
  Put16(body, shape.channels * (shape.bits / 8));
  Put16(body, shape.bits);
  while (body.size() < shape.formatChunkSize) body.push_back(0xEE);
  return body;
}

// "RIFF" size "WAVE" followed by the given chunks.
inline Bytes Riff(const Bytes& chunks) {
  Bytes out;
  PutTag(out, "RIFF");
  Put32(out, static_cast<std::uint32_t>(chunks.size() + 4));
  PutTag(out, "WAVE");
  out.insert(out.end(), chunks.begin(), chunks.end());
  return out;
}

// The common case: "fmt " then "data".
inline Bytes SimpleWav(const WavShape& shape, const Bytes& data) {
  Bytes chunks;
  PutChunk(chunks, "fmt ", FormatBody(shape));
  PutChunk(chunks, "data", data);
  return Riff(chunks);
}

// 16-bit samples of a sine wave, interleaved over channels (the same in each).
inline Bytes Sine16(int frames, int channels, double cyclesPerFrame, double amplitude = 12000) {
  Bytes out;
  for (int i = 0; i < frames; ++i) {
    const auto v = static_cast<std::int16_t>(amplitude * std::sin(6.283185307179586 * cyclesPerFrame * i));
    for (int c = 0; c < channels; ++c) Put16(out, static_cast<std::uint16_t>(v));
  }
  return out;
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A sine tone encoded with oggenc (vorbis-tools) in a temporary folder: the
// Ogg file's bytes, or nothing when oggenc is missing.
inline Bytes EncodeOgg(int seconds, int channels, int rate, double hertz) {
  char folder[] = "/tmp/tarvex-ogg-XXXXXX";
  if (mkdtemp(folder) == nullptr) return {};
  const std::string wavPath = std::string(folder) + "/tone.wav";
  const std::string oggPath = std::string(folder) + "/tone.ogg";
  WavShape shape;
  shape.channels = static_cast<unsigned>(channels);
  shape.rate = static_cast<std::uint32_t>(rate);
  WriteFile(wavPath, SimpleWav(shape, Sine16(seconds * rate, channels, hertz / rate)));
  const std::string command = "oggenc -Q -q 2 -o '" + oggPath + "' '" + wavPath + "'";
  Bytes ogg;
  if (std::system(command.c_str()) == 0) {
    std::ifstream in(oggPath, std::ios::binary);
    ogg.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::remove(wavPath.c_str());
  std::remove(oggPath.c_str());
  rmdir(folder);
  return ogg;
}

}  // namespace wavtest
