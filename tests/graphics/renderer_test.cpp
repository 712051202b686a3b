// The renderer against real OpenGL: what goes out in which draw call, and what
// lands in the window.
#include <GL/gl.h>

#include "tests/graphics/gl_fixture.h"

namespace {

using RendererTest = GlWindowTest;

TEST_F(RendererTest, ConsecutiveRectanglesShareOneDrawCall) {
  gfx->SetColor(255, 0, 0);
  gfx->DrawRect(10, 10, 20, 20);
  gfx->SetColor(0, 255, 0);
  gfx->DrawRect(40, 10, 20, 20);
  EXPECT_EQ(gfx->counters.drawCalls, 0);
  EXPECT_EQ(gfx->vertexCount, 8);
  EXPECT_TRUE(RgbNear(Rgb(20, 20), 0xff0000, 0));  // reading flushes
  EXPECT_EQ(gfx->counters.drawCalls, 1);
  EXPECT_EQ(gfx->counters.vertices, 8);
  EXPECT_TRUE(RgbNear(Rgb(50, 20), 0x00ff00, 0));
  EXPECT_TRUE(RgbNear(Rgb(35, 20), 0x000000, 0));
}

TEST_F(RendererTest, ChangingTextureOrPrimitiveFlushes) {
  c_Image* image = Load("blue.png", testpng::Solid(8, 8, 0, 0, 255, 255));
  ASSERT_NE(image, nullptr);
  gfx->DrawSurface(image->surface, 0, 0);
  gfx->DrawSurface(image->surface, 10, 0);
  EXPECT_EQ(gfx->counters.drawCalls, 0);
  gfx->DrawRect(20, 0, 8, 8);  // untextured: the textured batch goes first
  EXPECT_EQ(gfx->counters.drawCalls, 1);
  EXPECT_EQ(gfx->counters.vertices, 8);
  EXPECT_EQ(gfx->vertexCount, 4);
  EXPECT_EQ(gfx->primitiveSurface.get(), nullptr);
  gfx->DrawSurface(image->surface, 30, 0);  // and the image flushes the rectangle
  EXPECT_EQ(gfx->counters.drawCalls, 2);
  gfx->DrawLine(0, 50, 100, 50);  // a different primitive size flushes too
  EXPECT_EQ(gfx->counters.drawCalls, 3);
  gfx->Flush();
  EXPECT_EQ(gfx->counters.drawCalls, 4);
  EXPECT_EQ(gfx->counters.vertices, 18);
  EXPECT_TRUE(RgbNear(Rgb(34, 4), 0x0000ff, 0));
  EXPECT_TRUE(RgbNear(Rgb(24, 4), 0xffffff, 0));
}

TEST_F(RendererTest, TheQuadAfterTheBatchIsFullStartsANewOne) {
  for (int i = 0; i < kBatchQuads; ++i) gfx->DrawRect(float(i % 32) * 4, float(i / 32) * 4, 3, 3);
  EXPECT_EQ(gfx->vertexCount, kBatchVertices);
  EXPECT_EQ(gfx->counters.drawCalls, 0);
  gfx->DrawRect(500, 500, 3, 3);
  EXPECT_EQ(gfx->counters.drawCalls, 1);
  EXPECT_EQ(gfx->counters.vertices, kBatchVertices);
  EXPECT_EQ(gfx->vertexCount, 4);
  EXPECT_TRUE(RgbNear(Rgb(31 * 4 + 1, 7 * 4 + 1), 0xffffff, 0));  // the 256th quad was drawn
  EXPECT_TRUE(RgbNear(Rgb(501, 501), 0xffffff, 0));
}

TEST_F(RendererTest, ClearScreenDropsWhatWasBatched) {
  gfx->SetColor(255, 0, 0);
  gfx->DrawRect(0, 0, 1024, 768);
  gfx->ClearScreen(0, 0, 255);
  EXPECT_EQ(gfx->vertexCount, 0);
  EXPECT_TRUE(RgbNear(Rgb(512, 384), 0x0000ff, 0));
  EXPECT_EQ(gfx->counters.drawCalls, 0);
}

TEST_F(RendererTest, OvalVertexCountFollowsItsSizeOnScreen) {
  struct Case {
    float w, h, scale;
    int expected;
  } cases[] = {{6, 4, 1, 12}, {10, 10, 1, 12}, {100, 100, 1, 100}, {102, 102, 1, 100},
               {2000, 2000, 1, 1024}, {50, 50, 1, 48}, {50, 50, 2, 100}};
  for (const Case& c : cases) {
    gfx->SetMatrix(c.scale, 0, 0, c.scale, 0, 0);
    gfx->Flush();
    gfx->DrawOval(10, 10, c.w, c.h);
    EXPECT_EQ(gfx->vertexCount, c.expected) << c.w << " x " << c.h << " at scale " << c.scale;
    EXPECT_EQ(gfx->primitiveSize, c.expected);
  }
  // Ovals of the same vertex count share a batch, each drawn as its own fan.
  gfx->SetMatrix(1, 0, 0, 1, 0, 0);
  gfx->ClearScreen(0, 0, 0);
  const int before = gfx->counters.drawCalls;
  gfx->DrawOval(100, 100, 40, 40);
  gfx->DrawOval(200, 100, 40, 40);
  EXPECT_EQ(gfx->vertexCount, 80);
  gfx->Flush();
  EXPECT_EQ(gfx->counters.drawCalls - before, 2);
  EXPECT_TRUE(RgbNear(Rgb(120, 120), 0xffffff, 0));
  EXPECT_TRUE(RgbNear(Rgb(220, 120), 0xffffff, 0));
  EXPECT_TRUE(RgbNear(Rgb(102, 102), 0x000000, 0));  // outside the circle, inside its box
}

TEST_F(RendererTest, PolygonsOfOneToTenTwentyFourVertices) {
  Array<float> most(2049);
  for (int i = 0; i < 2048; ++i) most[i] = float(i % 7);
  gfx->DrawPoly(most);
  EXPECT_EQ(gfx->vertexCount, 1024);
  gfx->Flush();
  gfx->DrawPoly(Array<float>(2050));
  gfx->DrawPoly(Array<float>(1));
  EXPECT_EQ(gfx->vertexCount, 0);

  Array<float> triangle(6);
  const float corners[6] = {300, 300, 400, 300, 300, 400};
  for (int i = 0; i < 6; ++i) triangle[i] = corners[i];
  gfx->SetColor(0, 255, 0);
  gfx->DrawPoly(triangle);
  EXPECT_EQ(gfx->primitiveSize, 3);
  EXPECT_TRUE(RgbNear(Rgb(310, 310), 0x00ff00, 0));
  EXPECT_TRUE(RgbNear(Rgb(390, 390), 0x000000, 0));
}

TEST_F(RendererTest, TexturedPolygonsAndSurfaceRectanglesAddressTheSource) {
  // 20 x 10: the left half red, the right half green.
  testpng::Bytes px;
  for (int i = 0; i < 200; ++i) {
    if (i % 20 < 10) px.insert(px.end(), {255, 0, 0, 255});
    else px.insert(px.end(), {0, 255, 0, 255});
  }
  c_Image* image = Load("halves.png", testpng::Encode8(20, 10, 4, px));
  ASSERT_NE(image, nullptr);
  gxtkSurface* s = image->surface;
  // A quad of the right half, texture coordinates relative to source (10, 0).
  const float quad[16] = {100, 100, 0, 0, 140, 100, 10, 0, 140, 140, 10, 10, 100, 140, 0, 10};
  Array<float> xyuv(16);
  for (int i = 0; i < 16; ++i) xyuv[i] = quad[i];
  gfx->DrawTexturedPoly(xyuv, s, 10, 0);
  EXPECT_EQ(gfx->primitiveSize, 4);
  EXPECT_FLOAT_EQ(gfx->vertices[1].u, 20 * s->uScale);
  gfx->DrawSurfaceRect(s, 200, 100, 0, 0, 10, 10);  // the left half at its own size
  EXPECT_EQ(gfx->vertexCount, 8);                   // same size, same texture: one batch
  EXPECT_TRUE(RgbNear(Rgb(120, 120), 0x00ff00, 0));
  EXPECT_TRUE(RgbNear(Rgb(205, 105), 0xff0000, 0));
  EXPECT_TRUE(RgbNear(Rgb(211, 105), 0x000000, 0));
  EXPECT_EQ(gfx->counters.drawCalls, 1);
}

TEST_F(RendererTest, VertexColourIsPremultipliedAndTruncated) {
  gfx->SetColor(255, 128, 0);
  gfx->SetAlpha(0.5f);
  gfx->DrawPoint(1, 1);
  const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>(&gfx->vertices[0].colour);
  EXPECT_EQ(bytes[0], 127);
  EXPECT_EQ(bytes[1], 64);
  EXPECT_EQ(bytes[2], 0);
  EXPECT_EQ(bytes[3], 127);
  // Out-of-range values saturate instead of running into the next byte.
  gfx->SetColor(300, -5, 255);
  gfx->SetAlpha(2);
  gfx->DrawPoint(2, 2);
  bytes = reinterpret_cast<const std::uint8_t*>(&gfx->vertices[1].colour);
  EXPECT_EQ(bytes[0], 255);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[2], 255);
  EXPECT_EQ(bytes[3], 255);
}

TEST_F(RendererTest, PremultipliedAndAdditiveBlending) {
  gfx->ClearScreen(0, 0, 200);
  gfx->SetColor(255, 128, 0);
  gfx->SetAlpha(0.5f);
  gfx->DrawRect(0, 0, 100, 100);
  // 127, 64, 0 over 0, 0, 200 kept at 1 - 127/255.
  EXPECT_TRUE(RgbNear(Rgb(50, 50), 0x7f4064, 1));

  gfx->SetColor(100, 100, 100);
  gfx->SetAlpha(1);
  gfx->SetBlend(1);
  gfx->DrawRect(0, 0, 100, 100);
  EXPECT_TRUE(RgbNear(Rgb(50, 50), 0xe3a4c8, 1));
  gfx->SetBlend(0);
  gfx->DrawRect(0, 0, 100, 100);
  EXPECT_TRUE(RgbNear(Rgb(50, 50), 0x646464, 0));
}

TEST_F(RendererTest, ScissorClipsExactlyWithTheBottomLeftFlip) {
  ASSERT_EQ(gfx->Height(), 768);
  gfx->SetScissor(10, 20, 100, 50);
  GLint box[4];
  glGetIntegerv(GL_SCISSOR_BOX, box);
  EXPECT_EQ(box[0], 10);
  EXPECT_EQ(box[1], 698);
  EXPECT_EQ(box[2], 100);
  EXPECT_EQ(box[3], 50);
  gfx->DrawRect(0, 0, 1024, 768);
  gfx->SetScissor(0, 0, 1024, 768);
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_TRUE(RgbNear(Rgb(10, 20), 0xffffff, 0));
  EXPECT_TRUE(RgbNear(Rgb(109, 69), 0xffffff, 0));
  EXPECT_TRUE(RgbNear(Rgb(9, 20), 0, 0));
  EXPECT_TRUE(RgbNear(Rgb(10, 19), 0, 0));
  EXPECT_TRUE(RgbNear(Rgb(110, 69), 0, 0));
  EXPECT_TRUE(RgbNear(Rgb(109, 70), 0, 0));
}

TEST_F(RendererTest, ReadPixelsGivesArgbRowsTopFirstAndStaysInsideTheArray) {
  gfx->SetColor(0, 255, 0);
  gfx->DrawRect(0, 0, 4, 1);  // top row green, the row below stays black
  Array<int> out(2 * 8);
  for (int i = 0; i < out.Length(); ++i) out[i] = 7;
  gfx->ReadPixels(out, 0, 0, 4, 2, 1, 8);
  EXPECT_EQ(out[0], 7);
  EXPECT_EQ(static_cast<std::uint32_t>(out[1]), 0xff00ff00u);
  EXPECT_EQ(static_cast<std::uint32_t>(out[9]), 0xff000000u);
  EXPECT_EQ(out[5], 7);
  // A row that would run past the end of the array is left out.
  Array<int> shortArray(6);
  gfx->ReadPixels(shortArray, 0, 0, 4, 2, 0, 4);
  EXPECT_EQ(static_cast<std::uint32_t>(shortArray[0]), 0xff00ff00u);
  EXPECT_EQ(shortArray[4], 0);
}

TEST_F(RendererTest, BeginRenderSetsUpAPixelProjectionAndEmptiesTheBatch) {
  gfx->DrawRect(0, 0, 10, 10);
  gfx->BeginRender();
  EXPECT_EQ(gfx->vertexCount, 0);
  EXPECT_EQ(gfx->counters.drawCalls, 0);
  EXPECT_EQ(gfx->Width(), 1024);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1024);
  EXPECT_EQ(viewport[3], 768);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_COLOR_ARRAY));
  gfx->DrawPoint(1023.5f, 767.5f);  // the bottom-right pixel
  EXPECT_TRUE(RgbNear(Rgb(1023, 767), 0xffffff, 0));
}

}  // namespace
