// The music switch in a run without a window system (a headless replay, the
// endurance run): there is no audio device, so switching the music on must
// not read and decode the music file, which takes a tenth of a second and
// leaves megabytes of decoded sound behind in the process every time.
#include <gtest/gtest.h>

#include "game/session/main_game.h"
#include "game/rules/state.h"
#include "game/session/switches.h"
#include "host/game.h"
#include "support/file_system.h"
#include "support/virtual_display.h"
#include "tests/host/fake_platform.h"

namespace {

class HeadlessFakePlatform : public FakePlatform {
 public:
  bool Headless() override { return true; }
};

// Counts the sound files the host is asked to read.
class SoundCountingGame final : public BBGlfwGame {
 public:
  using BBGlfwGame::BBGlfwGame;
  ~SoundCountingGame() override {
    if (currentGlfwGame == this) currentGlfwGame = nullptr;
  }
  unsigned char* ReadSoundFile(const String& path, int* length, int* channels, int* format, int* rate) override {
    ++soundReads;
    return BBGlfwGame::ReadSoundFile(path, length, channels, format, rate);
  }
  int soundReads = 0;
};

gc_global<c_MainGame*> headlessApp;

TEST(MusicSwitch, WithoutAnAudioDeviceSwitchingTheMusicOnReadsNoFile) {
  InitAppGlobals();
  currentVirtualDisplay = nullptr;
  fileSystem = nullptr;
  ResetGameState();
  HeadlessFakePlatform platform;
  platform.Init();
  {
    SoundCountingGame game(&platform);
    headlessApp = new c_MainGame(false);
    game.OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);
    game.BeginGame();
    ASSERT_EQ(gameState.settings.musicOn, 1);
    ToggleMusic();
    EXPECT_EQ(gameState.settings.musicOn, 0);
    ToggleMusic();
    EXPECT_EQ(gameState.settings.musicOn, 1);
    EXPECT_EQ(game.soundReads, 0);

    headlessApp = nullptr;
    InitAppGlobals();
    currentVirtualDisplay = nullptr;
    fileSystem = nullptr;
    GcCollectAll();
  }
}

}  // namespace
