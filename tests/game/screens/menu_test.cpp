// The main menu's buttons and switches, in the running game.
#include "game/views/sound_table.h"
#include "tests/game/main_game_fixture.h"

namespace {

using Menu = MainGameFixture;

TEST_F(Menu, MusicAndSoundSwitchOffAndOnAgain) {
  Start();
  ToMenu();
  Click(800, 450);
  EXPECT_EQ(gameState.settings.musicOn, 0);
  Click(800, 450);
  EXPECT_EQ(gameState.settings.musicOn, 1);
  Click(800, 550);
  EXPECT_EQ(gameState.settings.soundOn, 0);
  Click(800, 550);
  EXPECT_EQ(gameState.settings.soundOn, 1);
  EXPECT_EQ(app->screen, ScreenMenu);
}

TEST_F(Menu, TheClickIsHeardOnlyWhenSoundIsOnAfterIt) {
  Start();
  SetDataFolder(TARVEX_DATA_DIR "/");
  LoadGameSounds();
  SetDataFolder("./data/");
  if (gameSounds[SoundClick] == nullptr) GTEST_SKIP() << "no audio device (the suite runs with ALSOFT_DRIVERS=null)";
  ToMenu();
  gxtkAudio* audio = currentAudioDevice;
  Click(800, 550);  // sound off: silent
  EXPECT_EQ(audio->QueryChannel(0), 0);
  Click(800, 550);  // sound on: the click
  EXPECT_EQ(audio->QueryChannel(0), 1);
}

TEST_F(Menu, TheFullScreenSwitchReopensTheWindowAndItsBoundsAreExcluded) {
  Start();
  ToMenu();
  const std::size_t opens = platform.opens.size();
  Click(374, 740);
  Click(650, 740);
  Click(500, 712);
  EXPECT_EQ(platform.opens.size(), opens);
  Click(375, 713);
  ASSERT_EQ(platform.opens.size(), opens + 1);
  EXPECT_FALSE(platform.opens.back().fullScreen);
  EXPECT_EQ(platform.opens.back().width, 1024);
  EXPECT_EQ(platform.opens.back().height, 768);
  EXPECT_EQ(gameState.settings.fullScreenOn, 0);
  platform.cursorShown = false;
  Click(649, 767);
  EXPECT_TRUE(platform.opens.back().fullScreen);
  EXPECT_TRUE(platform.cursorShown);
  EXPECT_EQ(gameState.settings.fullScreenOn, 1);
  EXPECT_EQ(app->screen, ScreenMenu);
}

TEST_F(Menu, QuitEndsTheProgramWithStatusZero) {
  Start();
  ToMenu();
  EXPECT_EXIT(Click(800, 650), ::testing::ExitedWithCode(0), "");
}

TEST_F(Menu, EscapeOnTheMapSavesAndLeavesForTheMenuEvenWithNoLevelLeft) {
  WriteState("TVXDATA\t1\ttrandle.sav\t21\t15\t10\t1200\t5\t1\t0\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1");
  Start();
  ToMap(false);
  Click(600, 700);  // a worker bought with gold won
  EXPECT_EQ(gameState.progress.ownedWorkers, 6);
  Key(kGlfwEscape);
  EXPECT_EQ(app->screen, ScreenMenu);
  EXPECT_NE(ReadState().find("trandle.sav\t21\t15\t10\t700\t6\t1\t"), std::string::npos) << ReadState();
}

}  // namespace
