#include "tests/graphics/gl_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

void GlWindowTest::SetUp() {
  // One window system and one host game per process, as in the program; every
  // test gets a window (and so a context and a graphics generation) of its own.
  static BBTarvexGame* host = [] {
    GcInitLists();
    HostPlatform* glfw = GlfwPlatform();
    return glfw->Init() ? new BBTarvexGame(glfw) : nullptr;
  }();
  ASSERT_NE(host, nullptr) << "no display";
  game = host;
  platform = game->Platform();
  InitGraphicsGlobals();
  game->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);
  ASSERT_TRUE(platform->WindowOpen());
  gfx = new gxtkGraphics();
  currentGraphicsDevice = gfx;
  gfx->BeginRender();
  gfx->ClearScreen(0, 0, 0);
  BeginFrame();

  char pattern[] = "/tmp/tarvex_graphics_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  folder = pattern;
}

void GlWindowTest::TearDown() {
  EndFrame();
  if (!folder.empty()) std::filesystem::remove_all(folder);
  // The host game lives for the whole process, as it does in the program.
}

void GlWindowTest::ReopenWindow() {
  game->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);
  ASSERT_TRUE(platform->WindowOpen());
  gfx->BeginRender();
  gfx->ClearScreen(0, 0, 0);
  BeginFrame();
}

std::string GlWindowTest::WritePng(const std::string& name, const testpng::Bytes& bytes) {
  const std::string path = folder + "/" + name;
  EXPECT_TRUE(testpng::WriteFile(path, bytes));
  return path;
}

std::uint32_t GlWindowTest::Rgb(int x, int y) {
  Array<int> one(1);
  gfx->ReadPixels(one, x, y, 1, 1, 0, 1);
  return static_cast<std::uint32_t>(one[0]) & 0xffffffu;
}

c_Image* GlWindowTest::Load(const std::string& name, const testpng::Bytes& bytes, int frames, int flags) {
  return LoadImage(String(WritePng(name, bytes).c_str()), frames, flags);
}

::testing::AssertionResult RgbNear(std::uint32_t actual, std::uint32_t expected, int tolerance) {
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = int(actual >> shift) & 255, e = int(expected >> shift) & 255;
    if (std::abs(a - e) > tolerance) {
      char text[64];
      std::snprintf(text, sizeof text, "got %06x, expected %06x", unsigned(actual), unsigned(expected));
      return ::testing::AssertionFailure() << text;
    }
  }
  return ::testing::AssertionSuccess();
}
