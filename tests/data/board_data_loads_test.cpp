// Every picture of the level board decodes with the program's own image decoder,
// as RGBA, with the size the board code cuts its frames from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/image_codec.h"
#include "tests/data/data_folder.h"

namespace {

using datatest::ReadAll;

struct Decoded {
  int width = 0, height = 0, components = 0;
  bool ok = false;
  std::vector<unsigned char> alpha;  // the alpha channel, row by row
};

Decoded Decode(const std::string& path) {
  Decoded d;
  std::vector<unsigned char> bytes = ReadAll(path);
  if (bytes.empty()) return d;
  std::uint8_t* pixels = DecodeImage(bytes.data(), bytes.size(), &d.width, &d.height, &d.components);
  if (pixels == nullptr) return d;
  d.ok = true;
  if (d.components == 4) {
    for (int i = 0; i < d.width * d.height; ++i) d.alpha.push_back(pixels[i * 4 + 3]);
  }
  FreeImagePixels(pixels);
  return d;
}

// Decodes `path` and checks it holds `frames` frames of fw x fh, cut left to right
// and then row by row, each with something drawn in it.
void ExpectStrip(const std::string& path, int fw, int fh, int frames) {
  SCOPED_TRACE(path);
  Decoded d = Decode(path);
  ASSERT_TRUE(d.ok) << "missing, or refused by the image decoder";
  ASSERT_EQ(d.components, 4);
  const int perRow = d.width / fw;
  ASSERT_GT(perRow, 0);
  ASSERT_EQ(d.width % fw, 0);
  ASSERT_EQ(d.height % fh, 0);
  ASSERT_GE(perRow * (d.height / fh), frames) << "frames do not fit in the picture";
  for (int i = 0; i < frames; ++i) {
    const int x0 = (i % perRow) * fw, y0 = (i / perRow) * fh;
    int drawn = 0;
    for (int y = y0; y < y0 + fh; ++y)
      for (int x = x0; x < x0 + fw; ++x) drawn += d.alpha[y * d.width + x] > 0;
    EXPECT_GT(drawn, 0) << "frame " << i << " is empty";
  }
}

TEST(BoardData, CellPicturesAre74Square) {
  std::vector<std::string> names = {"tile1", "tile2", "tile3", "tilestart", "tilefinish", "gold",
                                    "tunnelN", "tunnelE", "tunnelS", "tunnelW"};
  for (int k = 0; k <= 6; ++k) names.push_back(std::to_string(k));
  for (const std::string& n : names) ExpectStrip("game/" + n + ".png", 74, 74, 1);
  for (const char* n : {"stones", "pond", "forest", "hangman", "house", "watertower", "cort", "diligenta", "skull"})
    ExpectStrip(std::string("game/buildings/") + n + ".png", 74, 74, 1);
  ExpectStrip("game/debris.png", 74, 74, 1);
}

TEST(BoardData, MarkerRingIs96Square) {
  Decoded ring = Decode("game/ring.png");
  ASSERT_TRUE(ring.ok);
  ASSERT_EQ(ring.width, 96);
  ASSERT_EQ(ring.height, 96);
  EXPECT_EQ(ring.alpha[48 * 96 + 48], 0);  // clear in the middle: it goes round what it marks
}

TEST(BoardData, LargeSceneryAndTheMineKeepTheirFootprints) {
  for (const char* n : {"mountain", "dinosaur", "corturi", "caravan", "mountain2"}) {
    SCOPED_TRACE(n);
    Decoded d = Decode(std::string("game/buildings/") + n + ".png");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, 148);
    EXPECT_EQ(d.height, 148);
  }
  Decoded hill = Decode("game/buildings/hill.png");
  ASSERT_TRUE(hill.ok);
  EXPECT_EQ(hill.width, 74);
  EXPECT_EQ(hill.height, 222);
  Decoded mine = Decode("game/ironmine.png");
  ASSERT_TRUE(mine.ok);
  EXPECT_EQ(mine.width, 148);
  EXPECT_EQ(mine.height, 148);
}

TEST(BoardData, AnimationStripsHoldTheirFrames) {
  ExpectStrip("game/explosion.png", 74, 74, 6);
  ExpectStrip("game/bandit.png", 74, 74, 20);
  ExpectStrip("game/indigen.png", 74, 74, 20);
  ExpectStrip("game/buildings/pond2x.png", 148, 148, 12);
  ExpectStrip("game/ironmineanimation.png", 60, 76, 9);
  ExpectStrip("game/worker.png", 40, 48, 24);
}

TEST(BoardData, EngineAndSmokeAreCentredSprites) {
  Decoded engine = Decode("game/engine.png");
  ASSERT_TRUE(engine.ok);
  ASSERT_EQ(engine.components, 4);
  // Small enough to ride inside a 74-pixel cell, longer than wide (facing east),
  // and solid at the centre, where its handle is.
  EXPECT_LE(engine.width, 70);
  EXPECT_LT(engine.height, engine.width);
  EXPECT_EQ(engine.alpha[(engine.height / 2) * engine.width + engine.width / 2], 255);
  Decoded smoke = Decode("game/smoke.png");
  ASSERT_TRUE(smoke.ok);
  ASSERT_EQ(smoke.components, 4);
  EXPECT_EQ(smoke.alpha[0], 0);
  const int centre = smoke.alpha[(smoke.height / 2) * smoke.width + smoke.width / 2];
  EXPECT_GT(centre, 100);
  EXPECT_LT(centre, 255);  // soft and translucent
}

}  // namespace
