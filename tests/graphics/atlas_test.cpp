// The image atlas: pictures packed onto shared pages draw exactly as pictures
// of their own (also scaled, where filtering reads the edges), frames are cut
// from the right place, and a frame drawn from several pictures stays in one
// batch.
#include <cstdint>
#include <vector>

#include "graphics/atlas.h"
#include "tests/graphics/gl_fixture.h"

namespace {

// A picture with a different colour in every pixel, and a transparent corner.
testpng::Bytes Pattern(int w, int h, int seed) {
  testpng::Bytes pixels;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      pixels.push_back(static_cast<std::uint8_t>((x * 7 + seed * 40) & 255));
      pixels.push_back(static_cast<std::uint8_t>((y * 11 + seed * 13) & 255));
      pixels.push_back(static_cast<std::uint8_t>((x * y + seed) & 255));
      pixels.push_back(x < 3 && y < 3 ? 0 : 255);
    }
  }
  return testpng::Encode8(w, h, 4, pixels);
}

class AtlasDrawTest : public GlWindowTest {
 protected:
  std::vector<std::uint32_t> Block(int x, int y, int w, int h) {
    std::vector<std::uint32_t> out;
    for (int r = 0; r < h; ++r) {
      for (int c = 0; c < w; ++c) out.push_back(Rgb(x + c, y + r));
    }
    return out;
  }
};

gc_global<c_ImageAtlas*> atlasRoot;

TEST_F(AtlasDrawTest, PackedPicturesDrawLikePicturesOfTheirOwn) {
  c_ImageAtlas* atlas = new c_ImageAtlas(1024);
  atlasRoot = atlas;
  std::vector<c_Image*> packed, alone;
  for (int i = 0; i < 6; ++i) {
    const std::string name = "p" + std::to_string(i) + ".png";
    const std::string path = WritePng(name, Pattern(40 + 19 * i, 30 + 15 * i, i));
    packed.push_back(atlas->Load(String(path.c_str())));
    alone.push_back(LoadImage(String(path.c_str())));
    ASSERT_NE(packed.back(), nullptr);
    EXPECT_EQ(packed.back()->Width(), alone.back()->Width());
    EXPECT_EQ(packed.back()->Height(), alone.back()->Height());
  }
  EXPECT_EQ(atlas->PageCount(), 1);
  for (c_Image* image : packed) EXPECT_EQ(image->surface.get(), atlas->pages[0]);
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    for (float scale : {1.0f, 1.25f, 0.8f}) {
      gfx->ClearScreen(0, 0, 0);
      DrawImage(alone[i], 10, 10, 0, scale, scale, 0);
      const auto expected = Block(5, 5, 160, 150);
      gfx->ClearScreen(0, 0, 0);
      DrawImage(packed[i], 10, 10, 0, scale, scale, 0);
      EXPECT_EQ(Block(5, 5, 160, 150), expected) << "scale " << scale;
    }
  }
}

TEST_F(AtlasDrawTest, FramesAreCutFromThePictureOnThePage) {
  c_ImageAtlas* atlas = new c_ImageAtlas(512);
  atlasRoot = atlas;
  const std::string path = WritePng("strip.png", Pattern(120, 20, 3));
  c_Image* before = atlas->Load(String(WritePng("before.png", Pattern(50, 50, 1)).c_str()));
  c_Image* packed = atlas->Load(String(path.c_str()), 20, 20, 6, 0);
  c_Image* alone = LoadImage(String(path.c_str()), 20, 20, 6, 0);
  ASSERT_NE(before, nullptr);
  ASSERT_NE(packed, nullptr);
  ASSERT_EQ(packed->Frames(), 6);
  for (int frame : {0, 4, 5}) {
    gfx->ClearScreen(0, 0, 0);
    DrawImage(alone, 30, 30, frame);
    const auto expected = Block(30, 30, 20, 20);
    gfx->ClearScreen(0, 0, 0);
    DrawImage(packed, 30, 30, frame);
    EXPECT_EQ(Block(30, 30, 20, 20), expected) << "frame " << frame;
  }
  // Frames side by side split the picture evenly, with a centred handle.
  c_Image* halves = atlas->Load(String(path.c_str()), 2, ImageCentreHandle);
  ASSERT_NE(halves, nullptr);
  EXPECT_EQ(halves->Width(), 60);
  EXPECT_FLOAT_EQ(halves->handleX, 30.0f);
  EXPECT_EQ(atlas->Load(String("/nonexistent/picture.png")), nullptr);
}

TEST_F(AtlasDrawTest, PicturesOnOnePageDrawInOneBatch) {
  c_ImageAtlas* atlas = new c_ImageAtlas(512);
  atlasRoot = atlas;
  std::vector<c_Image*> packed, alone;
  for (int i = 0; i < 4; ++i) {
    const std::string path = WritePng("b" + std::to_string(i) + ".png", Pattern(32, 32, i));
    packed.push_back(atlas->Load(String(path.c_str())));
    alone.push_back(LoadImage(String(path.c_str())));
  }
  auto callsFor = [&](const std::vector<c_Image*>& images) {
    gfx->Flush();
    const int before = gfx->counters.drawCalls;
    for (int n = 0; n < 40; ++n) DrawImage(images[n % 4], static_cast<float>(n * 10), 100, 0);
    gfx->Flush();
    return gfx->counters.drawCalls - before;
  };
  EXPECT_EQ(callsFor(packed), 1);
  EXPECT_EQ(callsFor(alone), 40);
}

TEST_F(AtlasDrawTest, AFullPageOpensTheNext) {
  // 40 x 40 pictures with their borders: five to a shelf, five shelves to a
  // 256 x 256 page.
  c_ImageAtlas* atlas = new c_ImageAtlas(256);
  atlasRoot = atlas;
  std::vector<c_Image*> images;
  for (int i = 0; i < 51; ++i) {
    images.push_back(atlas->Load(String(WritePng("q" + std::to_string(i) + ".png", Pattern(40, 40, i)).c_str())));
    ASSERT_NE(images.back(), nullptr);
  }
  EXPECT_EQ(atlas->PageCount(), 3);
  EXPECT_EQ(images[24]->surface.get(), atlas->pages[0]);
  EXPECT_EQ(images[25]->surface.get(), atlas->pages[1]);
  EXPECT_EQ(images[50]->surface.get(), atlas->pages[2]);
}

TEST_F(AtlasDrawTest, LargePicturesStayAloneAndRepeatedLoadsShareOnePicture) {
  c_ImageAtlas* atlas = new c_ImageAtlas(256);
  atlasRoot = atlas;
  const std::string small = WritePng("small.png", Pattern(30, 30, 2));
  const std::string large = WritePng("large.png", Pattern(100, 100, 5));
  c_Image* first = atlas->Load(String(small.c_str()));
  c_Image* again = atlas->Load(String(small.c_str()), 3, 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(first->surface.get(), again->surface.get());
  EXPECT_EQ(first->frames[0]->x, again->frames[0]->x);
  EXPECT_EQ(again->Width(), 10);

  // A picture larger than a thirty-second of the page keeps its own surface.
  c_Image* big = atlas->Load(String(large.c_str()));
  c_Image* alone = LoadImage(String(large.c_str()));
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(atlas->PageCount(), 1);
  EXPECT_NE(big->surface.get(), atlas->pages[0]);
  gfx->ClearScreen(0, 0, 0);
  DrawImage(alone, 20, 20, 0, 1.25f, 1.25f, 0);
  const auto expected = Block(10, 10, 150, 150);
  gfx->ClearScreen(0, 0, 0);
  DrawImage(big, 20, 20, 0, 1.25f, 1.25f, 0);
  EXPECT_EQ(Block(10, 10, 150, 150), expected);
}

// A picture wider than the room left on the newest shelf goes back to an
// older shelf with room, instead of opening a shelf (and here a page) below.
TEST_F(AtlasDrawTest, PicturesFillTheRoomLeftOnOlderShelves) {
  c_ImageAtlas* atlas = new c_ImageAtlas(256);
  atlasRoot = atlas;
  const struct {
    int w, h;
  } sizes[] = {{100, 100}, {200, 30}, {200, 30}, {20, 20}, {100, 100}};
  std::vector<c_Image*> packed;
  for (int i = 0; i < 5; ++i) {
    const std::string path = WritePng("s" + std::to_string(i) + ".png", Pattern(sizes[i].w, sizes[i].h, i));
    packed.push_back(atlas->Load(String(path.c_str())));
    ASSERT_NE(packed.back(), nullptr);
  }
  EXPECT_EQ(atlas->PageCount(), 1);
  EXPECT_EQ(packed[4]->frames[0]->y, packed[0]->frames[0]->y);
  // Each still draws as its own picture.
  for (int i = 0; i < 5; ++i) {
    const std::string path = "s" + std::to_string(i) + ".png";
    gfx->ClearScreen(0, 0, 0);
    DrawImage(LoadImage(String(WritePng(path, Pattern(sizes[i].w, sizes[i].h, i)).c_str())), 10, 10, 0);
    const auto expected = Block(10, 10, sizes[i].w, sizes[i].h);
    gfx->ClearScreen(0, 0, 0);
    DrawImage(packed[i], 10, 10, 0);
    EXPECT_EQ(Block(10, 10, sizes[i].w, sizes[i].h), expected) << i;
  }
}

// Sharing is decided by the size of one frame: a long strip of small frames
// joins the page, a single frame of the same area does not.
TEST_F(AtlasDrawTest, AStripOfSmallFramesSharesThePage) {
  c_ImageAtlas* atlas = new c_ImageAtlas(256);
  atlasRoot = atlas;
  const std::string strip = WritePng("strip6.png", Pattern(240, 40, 6));
  c_Image* packed = atlas->Load(String(strip.c_str()), 40, 40, 6, 0);
  c_Image* sideBySide = atlas->Load(String(WritePng("strip3.png", Pattern(120, 40, 3)).c_str()), 3, 0);
  c_Image* single = atlas->Load(String(WritePng("single.png", Pattern(240, 40, 7)).c_str()));
  ASSERT_NE(packed, nullptr);
  ASSERT_NE(sideBySide, nullptr);
  ASSERT_NE(single, nullptr);
  EXPECT_EQ(packed->surface.get(), atlas->pages[0]);
  EXPECT_EQ(sideBySide->surface.get(), atlas->pages[0]);
  EXPECT_NE(single->surface.get(), atlas->pages[0]);
  // Frames small enough to share, in a strip taller than a fresh page has
  // room for below its white block: a surface of its own, drawn whole.
  const std::string tall = WritePng("tall.png", Pattern(30, 250, 8));
  c_Image* column = atlas->Load(String(tall.c_str()), 30, 10, 25, 0);
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(atlas->PageCount(), 1);
  gfx->ClearScreen(0, 0, 0);
  DrawImage(LoadImage(String(tall.c_str()), 30, 10, 25, 0), 300, 10, 24);
  const auto lastFrame = Block(300, 10, 30, 10);
  gfx->ClearScreen(0, 0, 0);
  DrawImage(column, 300, 10, 24);
  EXPECT_EQ(Block(300, 10, 30, 10), lastFrame);

  c_Image* alone = LoadImage(String(strip.c_str()), 40, 40, 6, 0);
  for (int frame = 0; frame < 6; ++frame) {
    gfx->ClearScreen(0, 0, 0);
    DrawImage(alone, 30, 30, 0, 1.5f, 1.5f, frame);
    const auto expected = Block(20, 20, 80, 80);
    gfx->ClearScreen(0, 0, 0);
    DrawImage(packed, 30, 30, 0, 1.5f, 1.5f, frame);
    EXPECT_EQ(Block(20, 20, 80, 80), expected) << "frame " << frame;
  }
}

// Rectangles in one colour come from the page's white block: the same pixels
// as DrawRect, translucent and scaled ones included, without breaking the
// pictures' batch.
TEST_F(AtlasDrawTest, FilledRectanglesMatchDrawRectAndStayInThePagesBatch) {
  c_ImageAtlas* atlas = new c_ImageAtlas(256);
  atlasRoot = atlas;
  // Before any page exists the rectangle is drawn plainly.
  gfx->ClearScreen(0, 0, 0);
  SetColor(10, 200, 30);
  atlas->FillRect(5, 5, 8, 8);
  EXPECT_TRUE(RgbNear(Rgb(8, 8), 0x0ac81eu, 0));
  SetColor(255, 255, 255);

  c_Image* picture = atlas->Load(String(WritePng("under.png", Pattern(40, 30, 4)).c_str()));
  ASSERT_NE(picture, nullptr);
  const struct {
    float x, y, w, h, alpha;
  } rectangles[] = {{10, 12, 37, 9, 1}, {3.5f, 7.25f, 120, 1, 1}, {20, 20, 90, 61, 0.5f}, {0, 0, 2, 2, 0.25f}};
  for (const auto& r : rectangles) {
    SCOPED_TRACE(r.w);
    auto drawn = [&](bool fromAtlas) {
      gfx->ClearScreen(0, 0, 0);
      DrawImage(picture, 15, 15, 0);
      SetColor(230, 120, 40);
      SetAlpha(r.alpha);
      if (fromAtlas) {
        atlas->FillRect(r.x, r.y, r.w, r.h);
      } else {
        DrawRect(r.x, r.y, r.w, r.h);
      }
      SetColor(255, 255, 255);
      SetAlpha(1);
      return Block(0, 0, 140, 90);
    };
    EXPECT_EQ(drawn(true), drawn(false));
  }

  gfx->Flush();
  const int before = gfx->counters.drawCalls;
  for (int n = 0; n < 10; ++n) {
    DrawImage(picture, static_cast<float>(n * 12), 100, 0);
    atlas->FillRect(static_cast<float>(n * 12), 100, 10, 3);
  }
  gfx->Flush();
  EXPECT_EQ(gfx->counters.drawCalls - before, 1);
}

}  // namespace
