// The virtual display and the fonts on a real window (Xvfb with Mesa's llvmpipe):
// pixels are read back from the frame, and a click is made with the X pointer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "graphics/drawing.h"
#include "graphics/renderer.h"
#include "host/game.h"
#include "host/input.h"
#include "support/bitmap_font.h"
#include "support/virtual_display.h"
#include "tests/graphics/png_writer.h"

namespace {

// Forwards the host's mouse events to the input device, as the framework does.
class MouseDelegate : public BBGameDelegate {
 public:
  void HandleMouse(int event, int data, float x, float y) override {
    currentInputDevice->ApplyMouseEvent(event, data, x, y);
    ++events;
  }
  int events = 0;
};

gc_global<MouseDelegate*> delegateRoot;
gc_global<c_BitmapFont*> fontRoot;

constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xffffff, kRed = 0xff0000, kBlue = 0x0000ff,
                        kGreen = 0x00ff00;

class RealDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    // One window system and one host game per process, as in the program.
    static BBTarvexGame* host = [] {
      GcInitLists();
      HostPlatform* glfw = GlfwPlatform();
      return glfw->Init() ? new BBTarvexGame(glfw) : nullptr;
    }();
    ASSERT_NE(host, nullptr) << "no display";
    game = host;
    InitGraphicsGlobals();
    currentInputDevice = new c_InputDevice;
    if (!delegateRoot) {
      delegateRoot = new MouseDelegate;
      game->AttachDelegate(delegateRoot);
      game->BeginGame();
    }
  }
  void TearDown() override {
    EndFrame();
    fontRoot = nullptr;
    if (!folder.empty()) std::filesystem::remove_all(folder);
  }

  void Open(int w, int h, bool fullScreen) {
    game->OpenGameWindow(w, h, 8, 8, 8, 0, 0, 0, fullScreen);
    ASSERT_TRUE(game->Platform()->WindowOpen());
    gfx = new gxtkGraphics();
    currentGraphicsDevice = gfx;
    gfx->BeginRender();
    BeginFrame();
  }

  std::uint32_t Rgb(int x, int y) {
    Array<int> one(1);
    gfx->ReadPixels(one, x, y, 1, 1, 0, 1);
    return static_cast<std::uint32_t>(one[0]) & 0xffffffu;
  }

  // Moves the X pointer to the window position and clicks there; answers once
  // the host has forwarded the press.
  bool ClickAt(int x, int y) {
    const int before = delegateRoot->events;
    const std::string command =
        "timeout 20 xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1";
    if (std::system(command.c_str()) != 0) return false;
    for (int i = 0; i < 200 && delegateRoot->events < before + 2; ++i) {
      game->Platform()->PollEvents();
      usleep(10000);
    }
    return currentInputDevice->KeyHit(1) > 0;
  }

  std::string Write(const std::string& name, const testpng::Bytes& bytes) {
    if (folder.empty()) {
      char pattern[] = "/tmp/tarvex-fonts-XXXXXX";
      if (mkdtemp(pattern)) folder = pattern;
    }
    testpng::WriteFile(folder + "/" + name, bytes);
    return folder + "/" + name;
  }

  // Writes the font of the text test into the scratch folder; answers its path.
  std::string WriteFont();

  BBTarvexGame* game = nullptr;
  gxtkGraphics* gfx = nullptr;
  std::string folder;
};

TEST_F(RealDisplay, FullScreenShowsTheLogicalScreenWithBarsAndClampsClicksOnThem) {
  Open(1280, 1024, true);
  ASSERT_EQ(gfx->Width(), 1280);
  ASSERT_EQ(gfx->Height(), 1024);
  // Something left over in the bars must be painted over.
  gfx->ClearScreen(0, 0, 255);
  CreateVirtualDisplay(1.0f);
  ApplyVirtualDisplay();
  c_VirtualDisplay* d = currentVirtualDisplay;
  EXPECT_EQ(d->scale, 1.25f);
  EXPECT_EQ(d->barHeight, 32.0f);
  SetColor(255, 255, 255);
  DrawRect(-100, -100, 3000, 3000);  // clipped to the logical screen
  SetColor(255, 0, 0);
  DrawRect(0, 0, 8, 8);        // logical top-left corner: device (0, 32) to (10, 42)
  DrawRect(1016, 760, 8, 8);   // logical bottom-right corner: device (1270, 982) to (1280, 992)
  EXPECT_EQ(Rgb(640, 0), kBlack);
  EXPECT_EQ(Rgb(640, 31), kBlack);
  EXPECT_EQ(Rgb(640, 32), kWhite);
  EXPECT_EQ(Rgb(640, 991), kWhite);
  EXPECT_EQ(Rgb(640, 992), kBlack);
  EXPECT_EQ(Rgb(640, 1023), kBlack);
  EXPECT_EQ(Rgb(0, 32), kRed);
  EXPECT_EQ(Rgb(9, 41), kRed);
  EXPECT_EQ(Rgb(10, 42), kWhite);
  EXPECT_EQ(Rgb(1279, 991), kRed);
  EXPECT_EQ(Rgb(1269, 981), kWhite);
  // An unchanged frame recomputes nothing and allocates nothing.
  const int allocated = GcGetStats().allocatedBytes;
  ApplyVirtualDisplay();
  EXPECT_EQ(GcGetStats().allocatedBytes, allocated);
  gfx->EndRender();
  game->SwapBuffers();

  // A click on the top bar maps to the top edge, one on the bottom bar to 767.
  ASSERT_TRUE(ClickAt(640, 10));
  EXPECT_EQ(VirtualMouseY(), 0.0f);
  EXPECT_EQ(VirtualMouseX(), 512.0f);
  ASSERT_TRUE(ClickAt(1279, 1020));
  EXPECT_EQ(VirtualMouseY(), 767.0f);
  EXPECT_EQ(VirtualMouseX(), 1023.0f);
  ASSERT_TRUE(ClickAt(0, 532));
  EXPECT_EQ(VirtualMouseX(), 0.0f);
  EXPECT_EQ(VirtualMouseY(), 400.0f);
}

// A plain font: 'A' a 10 x 20 white face with a 12 x 22 blue border one pixel
// up and left and a 10 x 20 green shadow two pixels down and right; 'B' a
// 20 x 20 red face; the space 24 high. Advances: A 12, B 22, space 8.
std::string RealDisplay::WriteFont() {
  Write("f_65.png", testpng::Solid(10, 20, 255, 255, 255, 255));
  Write("f_BORDER_65.png", testpng::Solid(12, 22, 0, 0, 255, 255));
  Write("f_SHADOW_65.png", testpng::Solid(10, 20, 0, 255, 0, 255));
  Write("f_66.png", testpng::Solid(20, 20, 255, 0, 0, 255));
  Write("f_32.png", testpng::Solid(6, 24, 0, 0, 0, 0));
  const std::string text =
      "32,{FC,0,0,0,0,0,6,24,8,0,\n"
      "65,{SH,0,0,0,2,2,10,20,12,0,\n"
      "65,{BR,0,0,0,-1,-1,12,22,12,0,\n"
      "65,{FC,0,0,0,0,0,10,20,12,0,\n"
      "66,{FC,0,0,0,0,0,20,20,22,0,\n";
  testpng::Bytes bytes(text.begin(), text.end());
  return Write("f.txt", bytes);
}

TEST_F(RealDisplay, TwoLineCentredTextAndAMissingGlyph) {
  Open(1024, 768, false);
  gfx->ClearScreen(0, 0, 0);
  const std::string path = WriteFont();
  c_BitmapFont* font = LoadFont(String(path.c_str()));
  fontRoot = font;
  ASSERT_EQ(font->faceGlyphs.Length(), 67);
  EXPECT_EQ(font->faceGlyphs[65]->image.get(), nullptr);  // loaded when first drawn
  SetColor(255, 255, 255);
  font->DrawText(String("AB\nA"), 512.9f, 100.0f, AlignCenter);
  EXPECT_FALSE(font->faceGlyphs[65]->loadedImagePath.Empty());
  // Line 1 "AB" is 32 wide: A at 496, B at 508 to 528.
  EXPECT_EQ(Rgb(494, 110), kBlack);
  EXPECT_EQ(Rgb(495, 110), kBlue);  // border, one pixel left of the face
  EXPECT_EQ(Rgb(496, 110), kWhite);
  EXPECT_EQ(Rgb(505, 110), kWhite);
  EXPECT_EQ(Rgb(508, 110), kRed);
  EXPECT_EQ(Rgb(527, 119), kRed);
  EXPECT_EQ(Rgb(528, 110), kBlack);
  // Line 2 "A" is 10 wide and 24 lower: A at 507, 124.
  EXPECT_EQ(Rgb(506, 130), kBlue);
  EXPECT_EQ(Rgb(507, 130), kWhite);
  EXPECT_EQ(Rgb(516, 143), kWhite);
  EXPECT_EQ(Rgb(518, 145), kGreen);  // shadow only, beyond the border
  EXPECT_EQ(Rgb(520, 130), kBlack);

  // 'Z' has no glyph and leaves no gap: B follows A at A's advance.
  font->DrawText(String("AZB"), 100.0f, 300.0f);
  EXPECT_EQ(Rgb(100, 310), kWhite);
  EXPECT_EQ(Rgb(111, 310), kGreen);
  EXPECT_EQ(Rgb(112, 310), kRed);
  EXPECT_EQ(Rgb(131, 310), kRed);
  EXPECT_EQ(Rgb(132, 310), kBlack);

  // Without shadow and border only the faces are drawn.
  font->drawShadow = false;
  font->drawBorder = false;
  font->DrawText(String("A"), 300.0f, 500.0f);
  EXPECT_EQ(Rgb(299, 510), kBlack);
  EXPECT_EQ(Rgb(300, 510), kWhite);
  EXPECT_EQ(Rgb(311, 521), kBlack);
  gfx->EndRender();
}

TEST_F(RealDisplay, PackedFontDrawsRegionsOfItsPages) {
  Open(1024, 768, false);
  gfx->ClearScreen(0, 0, 0);
  // Page 1: a 40 x 20 picture, white on the left half and red on the right.
  testpng::Bytes pixels;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool left = x < 20;
      pixels.insert(pixels.end(), {255, std::uint8_t(left ? 255 : 0), std::uint8_t(left ? 255 : 0), 255});
    }
  }
  Write("p_P_1.png", testpng::Encode8(40, 20, 4, pixels));
  Write("p_P_0.png", testpng::Solid(20, 20, 0, 0, 255, 255));
  // 'A' the left half drawn 3 right and 4 down of the pen, 'B' the right half,
  // 'C' a glyph on page 0, which is never drawn. All advance 25.
  const std::string text =
      "P1.01,65,F,1,0,0,20,20,0,3,4,20,20,25;66,F,1,20,0,20,20,0,0,0,20,20,25;67,F,0,0,0,20,20,0,0,0,20,20,25";
  testpng::Bytes bytes(text.begin(), text.end());
  c_BitmapFont* font = LoadFont(String(Write("p.txt", bytes).c_str()));
  fontRoot = font;
  ASSERT_EQ(font->pageImages.Length(), 2);
  SetColor(255, 255, 255);
  font->DrawText(String("CAB"), 200.0f, 200.0f);
  EXPECT_EQ(Rgb(210, 210), kBlack);  // 'C' takes its advance but shows nothing
  EXPECT_EQ(Rgb(227, 203), kBlack);
  EXPECT_EQ(Rgb(228, 204), kWhite);  // 'A' at pen 225 + (3, 4)
  EXPECT_EQ(Rgb(247, 223), kWhite);
  EXPECT_EQ(Rgb(248, 210), kBlack);
  EXPECT_EQ(Rgb(250, 200), kRed);  // 'B' at pen 250
  EXPECT_EQ(Rgb(269, 219), kRed);
  EXPECT_EQ(Rgb(270, 210), kBlack);
  gfx->EndRender();
}

}  // namespace
