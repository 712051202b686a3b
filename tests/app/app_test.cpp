// The application framework: c_App, c_GameDelegate and the framework functions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/app.h"
#include "tests/host/fake_host_test.h"

namespace {

// Records what the application sees; Close only counts unless told to end.
class ProbeApp : public c_App {
 public:
  int Startup() override {
    log += "S";
    sawDevice = currentInputDevice.get() != nullptr && currentAudioDevice.get() != nullptr;
    if (rate) SetAppUpdateRate(rate);
    return 0;
  }
  int Update() override {
    log += "U";
    hitsSeen += currentInputDevice->keyHitCount[KeyMouseLeft];
    return 0;
  }
  int Render() override {
    log += "R";
    return 0;
  }
  int Close() override {
    closes += 1;
    closeSawKeyDown = currentInputDevice->keyDown[KeyCloseRequest] || currentInputDevice->keyDown[KeyBackRequest];
    if (endOnClose) return c_App::Close();
    return 0;
  }

  std::string log;
  bool sawDevice = false;
  int rate = 0;
  int hitsSeen = 0;
  int closes = 0;
  bool closeSawKeyDown = false;
  bool endOnClose = false;
};

using AppTest = FakeHostTest;

TEST_F(AppTest, ConstructionAttachesTheDelegateToTheHost) {
  auto* app = new ProbeApp();
  EXPECT_EQ(currentApp.get(), app);
  ASSERT_NE(currentDelegate.get(), nullptr);
  EXPECT_EQ(game->CurrentDelegate(), currentDelegate.get());
  EXPECT_EQ(currentDelegate->input.get(), nullptr);
}

TEST_F(AppTest, SecondApplicationIsARunTimeError) {
  new ProbeApp();
  EXPECT_EXIT(
      {
        std::freopen("/dev/null", "r", stdin);
        dup2(2, 1);
        new ProbeApp();
        std::exit(3);
      },
      ::testing::ExitedWithCode(255), "Tarvex Runtime Error : App has already been created\n");
}

TEST_F(AppTest, StartCreatesTheInputDeviceBeforeStartupAndRendersBeforeTheFirstUpdate) {
  auto* app = new ProbeApp();
  app->rate = 30;
  platform.CloseAt(0.2);
  game->RunLoop();
  EXPECT_TRUE(app->sawDevice);
  EXPECT_EQ(appUpdateRate, 30);
  EXPECT_EQ(game->CurrentUpdateRate(), 30);
  EXPECT_EQ(app->log.substr(0, 4), "SRUR");
  EXPECT_EQ(currentInputDevice.get(), currentDelegate->input.get());
  EXPECT_EQ(currentAudioDevice.get(), currentDelegate->audio.get());
}

TEST_F(AppTest, UpdateSeesTheHitsOnceAndTheyAreClearedAfterwards) {
  auto* app = new ProbeApp();
  app->rate = 30;
  platform.At(0.05, [&] {
    game->OnMouseButton(0, HostInputSink::kActionPress);
    game->OnMouseButton(0, HostInputSink::kActionRelease);
  });
  platform.CloseAt(0.3);
  game->RunLoop();
  EXPECT_EQ(app->hitsSeen, 1);
  EXPECT_EQ(currentInputDevice->keyHitCount[KeyMouseLeft], 0);
  EXPECT_EQ(currentInputDevice->hitQueueLength, 0);
}

TEST_F(AppTest, CloseAndBackPressesReachTheInputDeviceThenClose) {
  auto* app = new ProbeApp();
  game->BeginGame();
  game->PostKey(KeyPressed, KeyCloseRequest);
  EXPECT_EQ(app->closes, 1);
  EXPECT_TRUE(app->closeSawKeyDown);
  EXPECT_EQ(currentInputDevice->keyHitCount[KeyCloseRequest], 1);
  game->PostKey(KeyReleased, KeyCloseRequest);
  EXPECT_EQ(app->closes, 1);
  game->PostKey(KeyPressed, KeyBackRequest);
  EXPECT_EQ(app->closes, 2);
  game->PostKey(KeyPressed, 65);
  EXPECT_EQ(app->closes, 2);
}

TEST_F(AppTest, DefaultCloseEndsTheProcessWithStatusZero) {
  auto* app = new ProbeApp();
  app->endOnClose = true;
  game->BeginGame();
  EXPECT_EXIT(
      {
        game->OnCloseRequest();
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(AppTest, MotionSetsTheAccelerationAndClockComesFromTheHost) {
  new ProbeApp();
  game->BeginGame();
  game->PostMotion(Acceleration, 0, 0.5f, -1, 2);
  game->PostMotion(TouchMoved, 0, 9, 9, 9);
  EXPECT_EQ(currentInputDevice->accelX, 0.5f);
  EXPECT_EQ(currentInputDevice->accelY, -1);
  EXPECT_EQ(currentInputDevice->accelZ, 2);
  game->PostTouch(TouchBegan, 2, 11, 12);
  EXPECT_TRUE(currentInputDevice->keyDown[KeyTouchFirst + 2]);
  platform.now = 1.25;
  EXPECT_EQ(AppElapsedMs(), 1250);
  SetAppUpdateRate(0);
  EXPECT_EQ(game->CurrentUpdateRate(), 0);
}

}  // namespace
