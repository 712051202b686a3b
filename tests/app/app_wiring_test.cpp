// The framework's delegate with the renderer wired in: start creates the
// renderer and loads the default font before the application's Startup; a
// render brackets the application's Render with the frame reset, then flushes
// and presents.
#include <unistd.h>

#include <filesystem>

#include "app/app.h"
#include <gtest/gtest.h>

#include "graphics/drawing.h"
#include "tests/graphics/png_writer.h"

namespace {

struct Seen {
  bool deviceAtStartup = false;
  bool fontAtStartup = false;
  bool deviceInRender = false;
  std::uint32_t pixelInRender = 0;
  int renders = 0;
};
Seen seen;

class WiringApp : public c_App {
 public:
  int Startup() override {
    seen.deviceAtStartup = currentGraphicsDevice.get() != nullptr;
    seen.fontAtStartup = graphicsContext->font.get() != nullptr;
    return 0;
  }
  int Render() override {
    seen.renders += 1;
    seen.deviceInRender = renderDevice.get() == currentGraphicsDevice.get();
    ClearToColor(0, 0, 0);
    DrawRect(0, 0, 4, 4);
    Array<int> one(1);
    renderDevice->ReadPixels(one, 2, 2, 1, 1, 0, 1);
    seen.pixelInRender = static_cast<std::uint32_t>(one[0]) & 0xffffffu;
    // Left behind for the next frame's reset to undo.
    SetAlpha(0.25f);
    SetColor(255, 0, 0);
    Translate(100, 100);
    DrawRect(0, 0, 4, 4);
    return 0;
  }
};

TEST(AppWiringTest, StartAndRenderDriveTheRenderer) {
  char pattern[] = "/tmp/tarvex_wiring_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string folder = pattern;
  std::filesystem::create_directories(folder + "/data");
  testpng::WriteFile(folder + "/data/glim_font.png", testpng::Solid(96 * 8, 10, 255, 255, 255, 255));
  ASSERT_EQ(chdir(folder.c_str()), 0);

  GcInitLists();
  InitAppGlobals();
  HostPlatform* platform = GlfwPlatform();
  ASSERT_TRUE(platform->Init());
  BBTarvexGame* game = new BBTarvexGame(platform);
  new WiringApp();
  game->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);

  currentDelegate->HandleStart();
  EXPECT_TRUE(seen.deviceAtStartup);
  EXPECT_TRUE(seen.fontAtStartup);
  gxtkGraphics* device = currentGraphicsDevice;
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(currentDelegate->graphics.get(), device);
  ASSERT_NE(graphicsContext->defaultFont.get(), nullptr);
  EXPECT_EQ(graphicsContext->defaultFont->Frames(), 96);
  EXPECT_EQ(graphicsContext->firstChar, 32);

  for (int frame = 0; frame < 2; ++frame) {
    currentDelegate->HandleRender();
    EXPECT_TRUE(seen.deviceInRender);
    EXPECT_EQ(seen.pixelInRender, 0xffffffu) << "frame " << frame;  // white, alpha 1, reset each frame
    EXPECT_EQ(renderDevice.get(), nullptr);
    EXPECT_EQ(device->vertexCount, 0);  // flushed at the end of the frame
    EXPECT_EQ(device->counters.drawCalls, 2);  // one flushed by the read, one by the end
    EXPECT_EQ(device->counters.vertices, 8);
  }
  EXPECT_EQ(seen.renders, 2);

  // The collector keeps the renderer and the font alive through the delegate and the globals.
  currentGame->CollectAfterCallback();
  GcCollectAll();
  EXPECT_EQ(GcCheckHeap(), "");
  EXPECT_EQ(currentGraphicsDevice.get(), device);
  EXPECT_TRUE(GcIsLiveObject(graphicsContext->defaultFont.get()));

  std::filesystem::remove_all(folder);
}

}  // namespace
