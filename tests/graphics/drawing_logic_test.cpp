// Image set-up, frame cutting and matrix arithmetic: no window needed.
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

#include "graphics/drawing.h"
#include "graphics/renderer.h"

namespace {

class DrawingLogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GcInitLists();
    InitGraphicsGlobals();
    currentGraphicsDevice = new gxtkGraphics();
  }
  // A picture of the given size, without a window (so without a texture).
  c_Image* Picture(int w, int h, int frames = 1, int flags = 0) {
    return (new c_Image())->InitFromSurface(currentGraphicsDevice->CreateSurface(w, h), frames, flags);
  }
  c_Image* Cut(c_Image* src, int fw, int fh, int n, int flags = 0) {
    return (new c_Image())->InitFromImage(src, fw, fh, n, flags);
  }
};

TEST_F(DrawingLogicTest, FramesAcrossTheSurfaceWithAndWithoutPadding) {
  c_Image* plain = Picture(300, 50, 6);
  ASSERT_EQ(plain->Frames(), 6);
  EXPECT_EQ(plain->Width(), 50);
  EXPECT_EQ(plain->Height(), 50);
  c_Image* padded = Picture(300, 50, 6, ImagePadX);
  EXPECT_EQ(padded->Width(), 48);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(plain->frames[i]->x, 50 * i);
    EXPECT_EQ(padded->frames[i]->x, 50 * i + 1);
    EXPECT_EQ(padded->frames[i]->y, 0);
  }
  c_Image* both = Picture(30, 12, 3, ImagePadX | ImagePadY);
  EXPECT_EQ(both->Height(), 10);
  EXPECT_EQ(both->frames[2]->y, 1);
  // A count below one is taken as one frame instead of dividing by zero.
  EXPECT_EQ(Picture(30, 12, 0)->Frames(), 1);
}

TEST_F(DrawingLogicTest, WholeSurfaceFlagOnlyForAnImageThatIsExactlyItsSurface) {
  EXPECT_EQ(Picture(40, 30)->flags, ImageWholeSurface);
  EXPECT_EQ(Picture(40, 30, 1, ImagePadX)->flags, ImagePadX);
  EXPECT_EQ(Picture(40, 30, 2)->flags, 0);
  c_Image* src = Picture(40, 30);
  EXPECT_EQ(Cut(src, 40, 30, 1)->flags, ImageWholeSurface);
  EXPECT_EQ(Cut(src, 20, 30, 1)->flags, 0);
}

TEST_F(DrawingLogicTest, CentreHandleAndSetHandle) {
  c_Image* image = Picture(30, 11, 1, ImageCentreHandle | ImagePadX);
  EXPECT_FLOAT_EQ(image->handleX, 14);
  EXPECT_FLOAT_EQ(image->handleY, 5.5f);
  EXPECT_EQ(image->flags & ImageCentreHandle, 0);
  image->SetHandle(2, 3);
  EXPECT_FLOAT_EQ(image->handleX, 2);
  EXPECT_FLOAT_EQ(image->handleY, 3);
}

TEST_F(DrawingLogicTest, CuttingFramesRowByRow) {
  c_Image* src = Picture(300, 152);
  c_Image* cut = Cut(src, 60, 76, 9, ImageCentreHandle);
  ASSERT_NE(cut, nullptr);
  ASSERT_EQ(cut->Frames(), 9);
  EXPECT_EQ(cut->source.get(), src);
  EXPECT_EQ(cut->surface.get(), src->surface.get());
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(cut->frames[i]->x, 60 * i);
    EXPECT_EQ(cut->frames[i]->y, 0);
  }
  for (int i = 5; i < 9; ++i) {
    EXPECT_EQ(cut->frames[i]->x, 60 * (i - 5));
    EXPECT_EQ(cut->frames[i]->y, 76);
  }
  EXPECT_FLOAT_EQ(cut->handleX, 30);
  // Only a one-frame image can be cut.
  EXPECT_EQ(Cut(Picture(300, 152, 2), 10, 10, 1), nullptr);
  // Cutting from a padded image starts at its first frame.
  c_Image* padded = Picture(22, 10, 1, ImagePadX);
  c_Image* inner = Cut(padded, 10, 10, 2);
  EXPECT_EQ(inner->frames[0]->x, 1);
  EXPECT_EQ(inner->frames[1]->x, 11);
}

TEST_F(DrawingLogicTest, FramesThatDoNotFitStopTheProgram) {
  c_Image* src = Picture(300, 152);
  EXPECT_EXIT(
      {
        // The report goes to standard output; the prompt finds no input.
        dup2(2, 1);
        if (!std::freopen("/dev/null", "r", stdin)) std::_Exit(3);
        Cut(src, 60, 76, 11);
      },
      ::testing::ExitedWithCode(255), "Tarvex Runtime Error : Image frame outside surface");
  EXPECT_EXIT(
      {
        dup2(2, 1);
        if (!std::freopen("/dev/null", "r", stdin)) std::_Exit(3);
        Cut(src, 301, 10, 1);
      },
      ::testing::ExitedWithCode(255), "Image frame outside surface");
}

TEST_F(DrawingLogicTest, TransformAppliesTheGivenMatrixFirst) {
  // Maps a point through the context's matrix.
  auto map = [](float x, float y) {
    const c_GraphicsContext* m = graphicsContext;
    return std::make_pair(x * m->ix + y * m->jx + m->tx, x * m->iy + y * m->jy + m->ty);
  };
  Translate(100, 50);
  Scale(2, 3);
  auto p = map(1, 1);
  EXPECT_FLOAT_EQ(p.first, 102);
  EXPECT_FLOAT_EQ(p.second, 53);
  SetMatrix(1, 0, 0, 1, 0, 0);
  EXPECT_FALSE(graphicsContext->transformed);
  Rotate(90);
  Translate(10, 0);
  p = map(0, 0);
  EXPECT_NEAR(p.first, 0, 1e-5);
  EXPECT_NEAR(p.second, -10, 1e-5);  // up the screen
  EXPECT_TRUE(graphicsContext->transformed);
}

}  // namespace
