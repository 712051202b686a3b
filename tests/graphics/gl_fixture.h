// A real 1024 x 768 window through the host (under Xvfb, Mesa's llvmpipe gives
// real OpenGL), a renderer in the middle of a frame, a scratch folder for
// picture files, and pixel read-back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "graphics/drawing.h"
#include "graphics/renderer.h"
#include "host/game.h"
#include "tests/graphics/png_writer.h"

class GlWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Closes the window and opens a new one: a new context and a new generation.
  void ReopenWindow();
  // Writes the file into the scratch folder and returns its full path.
  std::string WritePng(const std::string& name, const testpng::Bytes& bytes);
  // The red, green and blue of one window pixel (top-left origin), as 0xRRGGBB.
  std::uint32_t Rgb(int x, int y);
  // Loads a picture from the scratch folder through the drawing interface.
  c_Image* Load(const std::string& name, const testpng::Bytes& bytes, int frames = 1, int flags = 0);

  HostPlatform* platform = nullptr;
  BBTarvexGame* game = nullptr;
  gxtkGraphics* gfx = nullptr;
  std::string folder;
};

// Colour components within `tolerance` of each other (blending rounds).
::testing::AssertionResult RgbNear(std::uint32_t actual, std::uint32_t expected, int tolerance = 1);
