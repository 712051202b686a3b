// An application on a headless platform: it starts, updates and ends without
// a frame drawn, an OpenGL context counted or an audio device opened.
#include <gtest/gtest.h>

#include <memory>

#include "app/app.h"
#include "host/replay_platform.h"

namespace {

class CountingApp : public c_App {
 public:
  int Startup() override {
    SetAppUpdateRate(30);
    return 0;
  }
  int Update() override {
    ++updates;
    return 0;
  }
  int Render() override {
    ++renders;
    return 0;
  }
  int updates = 0;
  int renders = 0;
};

TEST(HeadlessAppTest, RunsWithoutDrawingOrSound) {
  InitAppGlobals();
  ReplayScript script;
  script.endTime = 500;
  ReplayPlatform platform(script, nullptr);
  ASSERT_TRUE(platform.Init());
  const int generation = graphicsGeneration;
  {
    auto game = std::make_unique<BBTarvexGame>(&platform);
    auto* app = new CountingApp();
    game->RunLoop();
    EXPECT_EQ(app->updates, 15);
    EXPECT_EQ(app->renders, 0);
    ASSERT_NE(currentAudioDevice.get(), nullptr);
    EXPECT_EQ(currentAudioDevice->device, nullptr);
    EXPECT_EQ(graphicsGeneration, generation);
    InitAppGlobals();
    GcCollectAll();
  }
}

}  // namespace
