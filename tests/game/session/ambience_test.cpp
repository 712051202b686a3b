// The sound around the play, as the player's clicks and the clock move a
// level on: which piece of music each moment calls for, one tick for each of
// the countdown's last ten seconds, and one hammer per worker building.
#include <algorithm>
#include <utility>
#include <vector>

#include "game/rules/departure.h"
#include "game/rules/economy.h"
#include "game/rules/sounds.h"
#include "game/session/ambience.h"
#include "game/views/data_files.h"
#include "game/views/sound_table.h"
#include "tests/game/level_play.h"
#include "tests/game/listening_fixtures.h"

namespace {

class AmbienceOfALevel : public LevelPlay {
 protected:
  void SetUp() override {
    LevelPlay::SetUp();
    SetGameSoundPlayer(&sounds);
    gameState.settings.soundOn = 1;
    Play(1);
    UpdateDepartureClock(*match);
  }
  void TearDown() override {
    SetGameSoundPlayer(nullptr);
    LevelPlay::TearDown();
  }
  AmbienceScene Scene(bool panel = false) const { return LevelScene(*match, panel); }
  // One update as the main game runs it: the level's step, the status
  // line's clock, then the ambience.
  void Update() {
    Step();
    UpdateDepartureClock(*match);
    ambience.Update(Scene());
  }
  // Plays on until the countdown shows `secondsLeft` (or the train has gone).
  void RunToSecondsLeft(int secondsLeft) {
    while (match->run.departure.secondsLeft > secondsLeft && match->run.trainRunning == 0) Update();
  }

  RecordingSounds sounds;
  Ambience ambience;
};

TEST_F(AmbienceOfALevel, EachMomentCallsForItsPiece) {
  EXPECT_STREQ(MusicForScene(AmbienceScene{}), kMusicFile) << "the title, the menu and the map";
  EXPECT_STREQ(MusicForScene(Scene()), kLevelMusicFile) << "a level starting";
  RunToSecondsLeft(kTensionSecondsLeft + 1);
  EXPECT_STREQ(MusicForScene(Scene()), kLevelMusicFile) << "a second before the last minute";
  RunToSecondsLeft(kTensionSecondsLeft);
  EXPECT_STREQ(MusicForScene(Scene()), kTensionMusicFile) << "the last minute";
  EXPECT_STREQ(MusicForScene(Scene(true)), kTensionMusicFile) << "a panel over it dips, it does not change";
  RunToSecondsLeft(-1);
  ASSERT_EQ(match->run.trainRunning, 1) << "the countdown ran out";
  EXPECT_STREQ(MusicForScene(Scene()), kTensionMusicFile) << "the train running late";
}

TEST_F(AmbienceOfALevel, ATrainSentOffEarlyKeepsTheLevelsPiece) {
  RunToSecondsLeft(200);
  SendTrainOff(match->run);
  for (int i = 0; i < 60 && match->run.trainRunning == 0; ++i) Update();
  ASSERT_EQ(match->run.trainRunning, 1);
  EXPECT_EQ(Scene().secondsLeft, 200) << "what was left when the train went";
  EXPECT_STREQ(MusicForScene(Scene()), kLevelMusicFile);
}

TEST_F(AmbienceOfALevel, TheLastTenSecondsTickOnceEach) {
  RunToSecondsLeft(kTickingSecondsLeft + 2);
  EXPECT_EQ(sounds.Count(SoundTick), 0) << "no tick before the last ten seconds";
  RunToSecondsLeft(5);
  EXPECT_EQ(sounds.Count(SoundTick), kTickingSecondsLeft - 5 + 1) << "10 down to 5";
  // A pause covers the board: no tick, and none again for the same second
  // when play goes on.
  match->flags.gamePaused = 1;
  for (int i = 0; i < 60; ++i) ambience.Update(Scene(true));
  match->flags.gamePaused = 0;
  ambience.Update(Scene());
  EXPECT_EQ(sounds.Count(SoundTick), 6);
  RunToSecondsLeft(-1);
  EXPECT_EQ(sounds.Count(SoundTick), kTickingSecondsLeft) << "10 down to 1, then the train leaves";
}

TEST_F(AmbienceOfALevel, AHammerForEachWorkerBuildingAndNoneUnderAPanel) {
  match->run.iron = 1000;
  std::vector<std::pair<int, int>> free;
  for (int x = 0; x < kColumns && free.size() < 2; ++x) {
    for (int y = 0; y < kRows && free.size() < 2; ++y) {
      if (Kind(x, y) == CellEmpty) free.emplace_back(x, y);
    }
  }
  ASSERT_EQ(free.size(), 2u);
  Use(PieceStraightWE, free[0].first, free[0].second);
  EXPECT_EQ(Scene().workersAtWork, 1);
  Use(PieceStraightWE, free[1].first, free[1].second);
  EXPECT_EQ(Scene().workersAtWork, 2);
  EXPECT_EQ(Scene(true).workersAtWork, 0) << "nobody is heard behind the pause panel";
  for (int ms = 0; ms < kBuildMs + 200; ms += 33) Update();
  EXPECT_EQ(Scene().workersAtWork, 0) << "both pieces are done";
}

// The loops and the tick play beside everything else: no other entry of the
// table shares a channel with any of the hammers' channels or with the tick,
// so neither cuts off an effect nor is cut off by one.
TEST(SoundTable, TheHammersAndTheTickHaveChannelsOfTheirOwn) {
  const int firstHammer = ChannelOfSound(SoundHammer);
  EXPECT_LT(firstHammer + kMaxHammerLoops - 1, 32) << "the effect channels end at 31";
  for (int sound = 0; sound < kGameSoundCount; ++sound) {
    if (sound == SoundHammer) continue;
    SCOPED_TRACE(sound);
    const int channel = ChannelOfSound(sound);
    EXPECT_TRUE(channel < firstHammer || channel >= firstHammer + kMaxHammerLoops);
    if (sound != SoundTick) {
      EXPECT_NE(channel, ChannelOfSound(SoundTick));
    }
  }
}

}  // namespace
