// Feeds arbitrary bytes to the image loader. Whatever it accepts is walked and
// premultiplied, so a block shorter than width x height x components shows up as
// an out-of-bounds access.
#include <cstddef>
#include <cstdint>

#include "host/image_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int width = 0, height = 0, components = 0;
  std::uint8_t* pixels = DecodeImage(data, size, &width, &height, &components);
  if (pixels == nullptr) return 0;
  if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide ||
      components < 1 || components > 4) {
    __builtin_trap();
  }
  PremultiplyPixels(pixels, width, height, components);
  const std::size_t bytes = std::size_t(width) * std::size_t(height) * std::size_t(components);
  volatile std::uint8_t sink = pixels[0] ^ pixels[bytes - 1];
  (void)sink;
  FreeImagePixels(pixels);
  return 0;
}
