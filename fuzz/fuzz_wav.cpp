// Any bytes into the WAV decoder: it must answer null or a block whose frames
// lie within the bytes it was given.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/sound_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int length = 0, channels = 0, format = 0, rate = 0;
  unsigned char* block = DecodeWav(data, size, &length, &channels, &format, &rate);
  if (block == nullptr) return 0;
  if (length < 0 || channels < 1 || format < 1) std::abort();
  const std::size_t bytes = static_cast<std::size_t>(length) * channels * format;
  if (bytes > size) std::abort();
  // Touch every byte a caller would upload.
  volatile unsigned char sum = 0;
  for (std::size_t i = 0; i < bytes; ++i) sum = sum + block[i];
  std::free(block);
  return 0;
}
