#include "host/image_codec.h"

#include <gtest/gtest.h>

#include "tests/graphics/png_writer.h"

namespace {

using testpng::Bytes;

struct Decoded {
  std::uint8_t* pixels = nullptr;
  int width = -1, height = -1, components = -1;
  explicit Decoded(const Bytes& file) {
    pixels = DecodeImage(file.data(), file.size(), &width, &height, &components);
  }
  ~Decoded() { FreeImagePixels(pixels); }
  Bytes Pixels() const {
    return pixels ? Bytes(pixels, pixels + width * height * components) : Bytes();
  }
};

TEST(ImageCodec, KeepsTheFilesOwnChannelCount) {
  const Bytes grey = {0, 128, 255, 7};
  const Bytes greyAlpha = {255, 0, 10, 20};
  const Bytes rgb = {1, 2, 3, 4, 5, 6};
  const Bytes rgba = {200, 100, 50, 128, 9, 8, 7, 6};
  struct Case {
    int w, h, channels;
    Bytes px;
  } cases[] = {{2, 2, 1, grey}, {2, 1, 2, greyAlpha}, {2, 1, 3, rgb}, {2, 1, 4, rgba}};
  for (const Case& c : cases) {
    Decoded d(testpng::Encode8(c.w, c.h, c.channels, c.px));
    ASSERT_NE(d.pixels, nullptr) << c.channels;
    EXPECT_EQ(d.width, c.w);
    EXPECT_EQ(d.height, c.h);
    EXPECT_EQ(d.components, c.channels);
    EXPECT_EQ(d.Pixels(), c.px) << c.channels;
  }
}

TEST(ImageCodec, ExpandsPalettesWithAndWithoutTransparency) {
  const Bytes palette = {255, 0, 0, 0, 255, 0};
  const Bytes indices = {0x40};  // 1-bit: pixel 0 -> 0, pixel 1 -> 1
  Decoded opaque(testpng::Encode(2, 1, 1, 3, indices, palette));
  ASSERT_NE(opaque.pixels, nullptr);
  EXPECT_EQ(opaque.components, 3);
  EXPECT_EQ(opaque.Pixels(), (Bytes{255, 0, 0, 0, 255, 0}));

  Decoded clear(testpng::Encode(2, 1, 1, 3, indices, palette, {0}));
  ASSERT_NE(clear.pixels, nullptr);
  EXPECT_EQ(clear.components, 4);
  EXPECT_EQ(clear.Pixels(), (Bytes{255, 0, 0, 0, 0, 255, 0, 255}));
}

TEST(ImageCodec, AcceptsTheLargestAllowedSide) {
  Decoded wide(testpng::Encode8(kMaxImageSide, 1, 1, Bytes(kMaxImageSide, 3)));
  ASSERT_NE(wide.pixels, nullptr);
  EXPECT_EQ(wide.width, kMaxImageSide);
}

TEST(ImageCodec, RefusesHeadersItWillNotDecode) {
  const Bytes good = testpng::Solid(4, 4, 1, 2, 3, 4);
  PngHeader header;
  ASSERT_TRUE(CheckPngHeader(good.data(), good.size(), &header));
  EXPECT_EQ(header.width, 4);
  EXPECT_EQ(header.bitDepth, 8);
  EXPECT_EQ(header.colourType, 6);

  const Bytes sixteenBit = testpng::Encode(2, 2, 16, 6, Bytes(32, 0x80));
  const Bytes sixteenGrey = testpng::Encode(2, 2, 16, 0, Bytes(8, 0x80));
  const Bytes tooWide = testpng::Encode8(kMaxImageSide + 1, 1, 1, {});
  const Bytes tooHigh = testpng::Encode8(1, kMaxImageSide + 1, 1, {});
  const Bytes empty = testpng::Encode8(0, 4, 1, {});
  Bytes badSignature = good;
  badSignature[1] = 'J';
  Bytes otherFirstChunk = good;
  otherFirstChunk[12] = 'C';  // "CHDR"
  Bytes badColourType = good;
  badColourType[8 + 8 + 9] = 5;
  Bytes rgbWithFourBits = good;
  rgbWithFourBits[8 + 8 + 8] = 4;
  Bytes badInterlace = good;
  badInterlace[8 + 8 + 12] = 2;
  const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                     0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const Bytes* refused[] = {&sixteenBit, &sixteenGrey,     &tooWide,         &tooHigh,
                            &empty,      &badSignature,    &otherFirstChunk, &badColourType,
                            &rgbWithFourBits, &badInterlace, &gif};
  for (const Bytes* file : refused) {
    EXPECT_FALSE(CheckPngHeader(file->data(), file->size(), nullptr));
    Decoded d(*file);
    EXPECT_EQ(d.pixels, nullptr);
    EXPECT_EQ(d.width, -1);  // outputs untouched on failure
  }
  EXPECT_EQ(DecodeImage(nullptr, 0, &header.width, &header.height, &header.interlace), nullptr);
}

TEST(ImageCodec, RefusesEveryTruncation) {
  const Bytes good = testpng::Solid(8, 8, 10, 20, 30, 255);
  for (std::size_t cut = 0; cut + 12 < good.size(); ++cut) {
    Bytes shorter(good.begin(), good.begin() + cut);
    Decoded d(shorter);
    EXPECT_EQ(d.pixels, nullptr) << "cut at " << cut;
  }
}

}  // namespace
