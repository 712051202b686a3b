// The drawing interface on a real window: handles, rotation, frames, the lazy
// matrix hand-over and the frame bracket.
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "tests/graphics/gl_fixture.h"

namespace {

using DrawingTest = GlWindowTest;

// A strip of `count` square frames of `side` pixels, frame i filled with colours[i].
testpng::Bytes Strip(int side, int count, const std::uint32_t* colours) {
  testpng::Bytes px;
  for (int y = 0; y < side; ++y) {
    for (int i = 0; i < count; ++i) {
      for (int x = 0; x < side; ++x) {
        px.insert(px.end(), {std::uint8_t(colours[i] >> 16), std::uint8_t(colours[i] >> 8),
                             std::uint8_t(colours[i]), 255});
      }
    }
  }
  return testpng::Encode8(side * count, side, 4, px);
}

const std::uint32_t kColours[4] = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00};

TEST_F(DrawingTest, RotationTurnsAboutTheHandle) {
  // 20 x 10: the left half red, the right half green.
  testpng::Bytes px;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      if (x < 10) px.insert(px.end(), {255, 0, 0, 255});
      else px.insert(px.end(), {0, 255, 0, 255});
    }
  }
  c_Image* image = Load("halves.png", testpng::Encode8(20, 10, 4, px));
  ASSERT_NE(image, nullptr);
  image->SetHandle(10, 0);
  DrawImage(image, 100, 100, 90, 1, 1, 0);
  // Turned counter-clockwise: the top edge runs upward along x = 100 from
  // y = 110 (left end) to y = 90 (right end); the handle sits at (100, 100).
  EXPECT_TRUE(RgbNear(Rgb(105, 105), 0xff0000, 0));
  EXPECT_TRUE(RgbNear(Rgb(105, 95), 0x00ff00, 0));
  EXPECT_TRUE(RgbNear(Rgb(99, 100), 0x000000, 0));
  EXPECT_TRUE(RgbNear(Rgb(111, 100), 0x000000, 0));
  EXPECT_TRUE(RgbNear(Rgb(105, 111), 0x000000, 0));
  EXPECT_TRUE(RgbNear(Rgb(105, 89), 0x000000, 0));
  // The matrix is back to where it was.
  EXPECT_EQ(graphicsContext->matrixTop, 0);
  EXPECT_FALSE(graphicsContext->transformed);

  // Scaling is about the handle too: twice the size, handle in the centre.
  image->SetHandle(10, 5);
  DrawImage(image, 300, 300, 0, 2, 2, 0);
  EXPECT_TRUE(RgbNear(Rgb(281, 291), 0xff0000, 0));
  EXPECT_TRUE(RgbNear(Rgb(318, 308), 0x00ff00, 0));
  EXPECT_TRUE(RgbNear(Rgb(279, 300), 0x000000, 0));
}

TEST_F(DrawingTest, AFrameCutFromAStripDrawsThatFrame) {
  const std::string path = WritePng("strip.png", Strip(10, 4, kColours));
  c_Image* across = LoadImage(String(path.c_str()), 4, 0);
  ASSERT_NE(across, nullptr);
  EXPECT_EQ(across->Frames(), 4);
  EXPECT_EQ(across->Width(), 10);
  EXPECT_EQ(across->flags & ImageWholeSurface, 0);
  for (int i = 0; i < 4; ++i) DrawImage(across, 100.0f + 20 * i, 100, i);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(RgbNear(Rgb(105 + 20 * i, 105), kColours[i], 0)) << i;
  EXPECT_TRUE(RgbNear(Rgb(111, 105), 0, 0));  // exactly one frame wide

  c_Image* cut = LoadImage(String(path.c_str()), 10, 10, 4, 0);
  ASSERT_NE(cut, nullptr);
  EXPECT_NE(cut->source.get(), nullptr);
  DrawImage(cut, 200, 200, 2);
  EXPECT_TRUE(RgbNear(Rgb(205, 205), kColours[2], 0));

  DrawImageRegion(across, 300, 300, 5, 0, 10, 10);  // half of frame 0, half of frame 1
  EXPECT_TRUE(RgbNear(Rgb(302, 305), kColours[0], 0));
  EXPECT_TRUE(RgbNear(Rgb(307, 305), kColours[1], 0));

  // An index outside the frames draws nothing.
  DrawImage(across, 400, 400, 4);
  DrawImage(across, 400, 400, -1);
  EXPECT_TRUE(RgbNear(Rgb(405, 405), 0, 0));
}

TEST_F(DrawingTest, WholeSurfaceImagesUseTheWholeSurfaceQuad) {
  c_Image* whole = Load("whole.png", testpng::Solid(12, 12, 255, 255, 255, 255));
  ASSERT_NE(whole, nullptr);
  EXPECT_NE(whole->flags & ImageWholeSurface, 0);
  DrawImage(whole, 0, 0, 0);
  // Texture coordinates of the whole-surface quad reach the far corner exactly.
  EXPECT_FLOAT_EQ(gfx->vertices[2].u, 12 * whole->surface->uScale);
  c_Image* padded = Load("padded.png", testpng::Solid(12, 12, 255, 255, 255, 255), 1, ImagePadX);
  ASSERT_NE(padded, nullptr);
  EXPECT_EQ(padded->flags & ImageWholeSurface, 0);
  EXPECT_EQ(padded->Width(), 10);
}

TEST_F(DrawingTest, TheMatrixReachesTheRendererOnlyWhenSomethingIsDrawn) {
  Translate(50, 60);
  Rotate(30);
  Scale(2, 2);
  EXPECT_TRUE(graphicsContext->matrixDirty);
  EXPECT_FALSE(gfx->transformed);  // nothing handed over yet
  PushMatrix();
  Translate(1, 1);
  PopMatrix();
  DrawRect(0, 0, 1, 1);
  EXPECT_FALSE(graphicsContext->matrixDirty);
  EXPECT_TRUE(gfx->transformed);
  EXPECT_FLOAT_EQ(gfx->tx, 50);
  EXPECT_FLOAT_EQ(gfx->ty, 60);
  EXPECT_NEAR(gfx->ix, 2 * std::cos(30 * 0.017453292f), 1e-5);
  EXPECT_NEAR(gfx->iy, -2 * std::sin(30 * 0.017453292f), 1e-5);
  // Positive angles turn counter-clockwise on screen (y grows downward).
  Transform(1, 0, 0, 1, 0, 0);
  SetMatrix(1, 0, 0, 1, 0, 0);
  Rotate(90);
  DrawRect(0, 0, 1, 1);
  EXPECT_NEAR(gfx->ix, 0, 1e-6);
  EXPECT_NEAR(gfx->iy, -1, 1e-6);
  EXPECT_NEAR(gfx->jx, 1, 1e-6);
}

TEST_F(DrawingTest, BeginFrameResetsTheStateAndEndFrameDropsTheDevice) {
  SetColor(10, 20, 30);
  SetAlpha(0.25f);
  SetBlend(1);
  SetScissor(5, 5, 10, 10);
  Translate(3, 4);
  PushMatrix();
  EndFrame();
  EXPECT_EQ(renderDevice.get(), nullptr);
  DrawRect(0, 0, 100, 100);  // outside a frame: nothing happens
  EXPECT_EQ(gfx->vertexCount, 0);

  BeginFrame();
  c_GraphicsContext* c = graphicsContext;
  EXPECT_EQ(renderDevice.get(), gfx);
  EXPECT_EQ(c->matrixTop, 0);
  EXPECT_FALSE(c->transformed);
  EXPECT_EQ(c->colorR, 255);
  EXPECT_EQ(c->alpha, 1);
  EXPECT_EQ(c->blend, 0);
  EXPECT_EQ(c->scissorW, 1024);
  EXPECT_EQ(c->scissorH, 768);
  EXPECT_EQ(gfx->packedColour, 0xffffffffu);
  DrawRect(0, 0, 100, 100);
  EXPECT_TRUE(RgbNear(Rgb(50, 50), 0xffffff, 0));
}

TEST_F(DrawingTest, TheMatrixStackHoldsThirtyTwoLevels) {
  for (int i = 0; i < 40; ++i) {
    Translate(1, 0);
    PushMatrix();
  }
  EXPECT_EQ(graphicsContext->matrixTop, 32 * 6);
  for (int i = 0; i < 40; ++i) PopMatrix();
  EXPECT_EQ(graphicsContext->matrixTop, 0);
  EXPECT_FLOAT_EQ(graphicsContext->tx, 1);  // the first saved matrix
}

TEST_F(DrawingTest, DataPathsAndTheDefaultFont) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::create_directories(folder + "/data/menu");
  testpng::WriteFile(folder + "/data/menu/logo.png", testpng::Solid(6, 6, 9, 9, 9, 255));
  // 96 glyph frames of 8 pixels, each with a one-pixel border left and right.
  testpng::WriteFile(folder + "/data/glim_font.png", testpng::Solid(96 * 8, 10, 255, 255, 255, 255));
  ASSERT_EQ(chdir(folder.c_str()), 0);
  c_Image* logo = LoadImage(String("menu/logo.png"));
  LoadDefaultFont();
  std::filesystem::current_path(previous);

  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->Width(), 6);
  c_GraphicsContext* c = graphicsContext;
  ASSERT_NE(c->defaultFont.get(), nullptr);
  EXPECT_EQ(c->font.get(), c->defaultFont.get());
  EXPECT_EQ(c->firstChar, 32);
  EXPECT_EQ(c->defaultFont->Frames(), 96);
  EXPECT_EQ(c->defaultFont->Width(), 6);
  EXPECT_EQ(c->defaultFont->frames[95]->x, 95 * 8 + 1);
  EXPECT_EQ(c->defaultFont->flags, ImagePadX);
  // Loaded once: a second call keeps the same image.
  c_Image* first = c->defaultFont;
  LoadDefaultFont();
  EXPECT_EQ(c->defaultFont.get(), first);
}

}  // namespace
