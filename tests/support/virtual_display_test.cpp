#include <gtest/gtest.h>

#include "support/virtual_display.h"

namespace {

struct Clip {
  float x, y, w, h;
};

Clip ClipOf(const c_VirtualDisplay* d) { return {d->scissorX, d->scissorY, d->scissorWidth, d->scissorHeight}; }

void ExpectClip(const c_VirtualDisplay* d, float x, float y, float w, float h) {
  EXPECT_FLOAT_EQ(d->scissorX, x);
  EXPECT_FLOAT_EQ(d->scissorY, y);
  EXPECT_FLOAT_EQ(d->scissorWidth, w);
  EXPECT_FLOAT_EQ(d->scissorHeight, h);
}

// Scale, bars (width, height), clip and offsets after the first recomputation.
void ExpectGeometry(const c_VirtualDisplay* d, float scale, float barW, float barH, Clip clip, float offX,
                    float offY) {
  EXPECT_EQ(d->scale, scale);
  EXPECT_EQ(d->barWidth, barW);
  EXPECT_EQ(d->barHeight, barH);
  ExpectClip(d, clip.x, clip.y, clip.w, clip.h);
  EXPECT_NEAR(d->virtualOffsetX, offX, 1e-3);
  EXPECT_NEAR(d->virtualOffsetY, offY, 1e-3);
}

c_VirtualDisplay* DisplayOn(int w, int h) {
  c_VirtualDisplay* d = CreateVirtualDisplay(1.0f);
  EXPECT_EQ(currentVirtualDisplay.get(), d);
  EXPECT_TRUE(d->UpdateDevice(w, h));  // the first check always recomputes
  return d;
}

TEST(VirtualDisplay, NativeSizeHasNoBarsAndNoOffset) {
  ExpectGeometry(DisplayOn(1024, 768), 1.0f, 0, 0, {0, 0, 1024, 768}, 0, 0);
}

TEST(VirtualDisplay, WideDeviceGetsPillarbox) {
  c_VirtualDisplay* d = DisplayOn(1920, 1080);
  ExpectGeometry(d, 1.40625f, 240, 0, {240, 0, 1440, 1080}, 170.6667f, 0);
  EXPECT_EQ(d->virtualOffsetX, 240.0f / 1.40625f);
  EXPECT_EQ(d->virtualOffsetY, 0.0f);
  EXPECT_EQ(d->MapMouseX(240.0f, 1920), 0.0f);
  EXPECT_EQ(d->MapMouseX(1700.0f, 1920), 1023.0f);
  EXPECT_EQ(d->MapMouseX(960.0f, 1920), 512.0f);
  // Fractional positions are kept, not rounded (single precision about the centre).
  EXPECT_NEAR(d->MapMouseX(241.0f, 1920), 1.0f / 1.40625f, 1e-4);
  EXPECT_NEAR(d->MapMouseY(1.0f, 1080), 1.0f / 1.40625f, 1e-4);
}

TEST(VirtualDisplay, TallDeviceGetsLetterbox) {
  c_VirtualDisplay* d = DisplayOn(800, 800);
  ExpectGeometry(d, 0.78125f, 0, 100, {0, 100, 800, 600}, 0, 128);
  EXPECT_EQ(d->MapMouseY(100.0f, 800), 0.0f);
  EXPECT_EQ(d->MapMouseY(50.0f, 800), 0.0f);
  EXPECT_EQ(d->MapMouseY(750.0f, 800), 767.0f);
  EXPECT_EQ(d->MapMouseY(400.0f, 800), 384.0f);
  EXPECT_FLOAT_EQ(d->MapMouseX(799.0f, 800), 1022.72f);
}

TEST(VirtualDisplay, ExactFourToThreeTakesTheWidthBarBranch) {
  ExpectGeometry(DisplayOn(640, 480), 0.625f, 0, 0, {0, 0, 640, 480}, 0, 0);
}

TEST(VirtualDisplay, MouseIsClampedToTheLogicalScreen) {
  c_VirtualDisplay* d = DisplayOn(1024, 768);
  EXPECT_EQ(d->MapMouseX(-50.0f, 1024), 0.0f);
  EXPECT_EQ(d->MapMouseX(0.0f, 1024), 0.0f);
  EXPECT_EQ(d->MapMouseX(0.25f, 1024), 0.25f);
  EXPECT_EQ(d->MapMouseX(1022.5f, 1024), 1022.5f);
  EXPECT_EQ(d->MapMouseX(1023.0f, 1024), 1023.0f);
  EXPECT_EQ(d->MapMouseX(5000.0f, 1024), 1023.0f);
  EXPECT_EQ(d->MapMouseY(-1.0f, 768), 0.0f);
  EXPECT_EQ(d->MapMouseY(766.75f, 768), 766.75f);
  EXPECT_EQ(d->MapMouseY(800.0f, 768), 767.0f);
}

TEST(VirtualDisplay, RecomputesOnlyAfterTheDeviceOrZoomChanged) {
  c_VirtualDisplay* d = DisplayOn(1920, 1080);
  EXPECT_FALSE(d->UpdateDevice(1920, 1080));
  // A click before the next render is mapped with the old scale about the new centre.
  EXPECT_EQ(d->MapMouseX(400.0f, 800), 512.0f);
  EXPECT_TRUE(d->UpdateDevice(800, 800));
  EXPECT_EQ(d->scale, 0.78125f);
  EXPECT_FALSE(d->UpdateDevice(800, 800));
  d->zoom = 2.0f;
  EXPECT_TRUE(d->UpdateDevice(800, 800));
  EXPECT_EQ(d->lastZoom, 2.0f);
  EXPECT_EQ(d->zoomedWidth, 1600.0f);
  EXPECT_EQ(d->zoomedOffsetX, -400.0f);
  // Zoomed in, the picture overflows the device: the clip is the whole device.
  ExpectClip(d, 0, 100, 800, 600);
  EXPECT_EQ(d->virtualOffsetX, (800.0f - 1600.0f) * 0.5f / 0.78125f / 2.0f);
  EXPECT_EQ(d->MapMouseX(400.0f, 800), 512.0f);
  EXPECT_EQ(d->MapMouseX(600.0f, 800), 512.0f + 200.0f / 0.78125f / 2.0f);
  EXPECT_FALSE(d->UpdateDevice(800, 800));
}

TEST(VirtualDisplay, ZoomedOutPictureIsClippedToItself) {
  c_VirtualDisplay* d = CreateVirtualDisplay(0.5f);
  EXPECT_TRUE(d->UpdateDevice(1024, 768));
  ExpectGeometry(d, 1.0f, 0, 0, {256, 192, 512, 384}, 512, 384);
}

TEST(VirtualDisplay, DeviceWithoutAreaKeepsTheLastGeometry) {
  c_VirtualDisplay* d = CreateVirtualDisplay(1.0f);
  EXPECT_FALSE(d->UpdateDevice(0, 0));
  EXPECT_EQ(d->MapMouseX(10.0f, 0), 0.0f);  // no scale yet: no division by zero
  EXPECT_TRUE(d->UpdateDevice(1920, 1080));
  const Clip before = ClipOf(d);
  EXPECT_FALSE(d->UpdateDevice(0, 0));
  EXPECT_FALSE(d->UpdateDevice(1920, 0));
  EXPECT_EQ(d->scale, 1.40625f);
  EXPECT_EQ(ClipOf(d).x, before.x);
  EXPECT_EQ(ClipOf(d).w, before.w);
  EXPECT_EQ(d->lastDeviceWidth, 1920);
}

}  // namespace
