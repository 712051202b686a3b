// The saved progress: the 21 values of "trandle.sav" through the state file,
// the order levels unlock in, and what damaged saves leave to play.
#include <unistd.h>

#include "game/session/save_file.h"
#include "tests/game/main_game_fixture.h"

namespace {

using ProgressTest = MainGameFixture;

const char* const kStateHeader = "TVXDATA\t1\ttrandle.sav\t21\t";

TEST_F(ProgressTest, AllTwentyOneValuesSurviveASaveAndALoadThroughTheStateFile) {
  Start();
  ResetProgress();
  gameState.progress.currentLevel = 7;
  gameState.progress.totalScore = 123456;
  gameState.progress.totalGold = 789;
  gameState.progress.ownedWorkers = 9;
  gameState.progress.progressSpare = 42;
  for (int i = 0; i < 6; ++i) levelStates[i] = LevelDone;
  levelStates[6] = LevelAvailable;
  gameState.progress.countedScore[2] = 1500;
  gameState.progress.countedGold[2] = 30;
  gameState.progress.countedScore[4] = gameState.progress.countedGold[4] = -1;
  SaveProgress();
  std::string counted;
  for (int i = 0; i < kLevelCount; ++i) {
    const int score = gameState.progress.countedScore[i], gold = gameState.progress.countedGold[i];
    counted += std::to_string(score) + "\t" + std::to_string(gold) + "\t";
  }
  EXPECT_EQ(ReadState(), "TVXDATA\t2\tcounted.sav\t30\t" + counted +
                             "trandle.sav\t21\t7\t123456\t789\t9\t0\t42\t1\t1\t1\t1\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0");

  ResetProgress();
  CreateFileSystem();  // as the next run reads the file
  LoadProgress();
  EXPECT_EQ(gameState.progress.currentLevel, 7);
  EXPECT_EQ(gameState.progress.totalScore, 123456);
  EXPECT_EQ(gameState.progress.totalGold, 789);
  EXPECT_EQ(gameState.progress.ownedWorkers, 9);
  EXPECT_EQ(gameState.progress.gameCompleted, 0);
  EXPECT_EQ(gameState.progress.progressSpare, 42);
  for (int i = 0; i < kLevelCount; ++i) EXPECT_EQ(levelStates[i], i < 6 ? 1 : (i == 6 ? 2 : 0)) << i;
  EXPECT_EQ(gameState.progress.countedScore[2], 1500);
  EXPECT_EQ(gameState.progress.countedGold[2], 30);
  EXPECT_EQ(gameState.progress.countedScore[4], -1);
  EXPECT_EQ(gameState.progress.countedGold[0], 0);
}

TEST_F(ProgressTest, LevelsUnlockOneAfterTheOtherAndTheLastCompletesTheGame) {
  ResetProgress();
  LevelRun run;
  for (int n = 1; n < kLevelCount; ++n) {
    run.levelNumber = n;
    run.levelScore = 1000 * n;
    run.levelGold = n;
    CompleteLevel(run);
    EXPECT_EQ(gameState.progress.totalScore, 500 * n * (n + 1));
    EXPECT_EQ(gameState.progress.totalGold, n * (n + 1) / 2);
    EXPECT_EQ(gameState.progress.currentLevel, n + 1);
    EXPECT_EQ(levelStates[n - 1], LevelDone);
    EXPECT_EQ(levelStates[n], LevelAvailable);
  }
  EXPECT_EQ(gameState.progress.gameCompleted, 0);
  run.levelNumber = kLevelCount;
  CompleteLevel(run);
  EXPECT_EQ(gameState.progress.currentLevel, 15);
  EXPECT_EQ(gameState.progress.gameCompleted, 1);
  for (int i = 0; i < kLevelCount; ++i) EXPECT_EQ(levelStates[i], LevelDone) << i;
}

// A done level won again: the totals take what the run beats the counted
// score and gold by; nothing opens or closes. Unknown counts (a save from
// before they were kept) add nothing and become the run's.
TEST_F(ProgressTest, ADoneLevelWonAgainAddsOnlyWhatItBeatsTheCountedBestBy) {
  struct Case {
    int countedScore, countedGold, score, gold;
    int addedScore, addedGold, countedScoreAfter, countedGoldAfter;
  };
  const Case cases[] = {
      {2000, 100, 1500, 50, 0, 0, 2000, 100},    // worse: nothing
      {2000, 100, 2600, 100, 600, 0, 2600, 100},  // better score, same gold
      {2000, 100, 1900, 180, 0, 80, 2000, 180},   // more gold only
      {-1, -1, 3000, 200, 0, 0, 3000, 200},       // not known: nothing, then marked
  };
  for (const Case& c : cases) {
    ResetProgress();
    LevelRun run;
    levelStates[0] = LevelDone;
    levelStates[1] = LevelDone;
    levelStates[2] = LevelAvailable;
    gameState.progress.currentLevel = 3;
    gameState.progress.totalScore = 10000;
    gameState.progress.totalGold = 500;
    gameState.progress.countedScore[1] = c.countedScore;
    gameState.progress.countedGold[1] = c.countedGold;
    run.levelNumber = 2;
    run.levelScore = c.score;
    run.levelGold = c.gold;
    CompleteLevel(run);
    EXPECT_EQ(gameState.progress.totalScore, 10000 + c.addedScore) << c.score;
    EXPECT_EQ(gameState.progress.totalGold, 500 + c.addedGold) << c.gold;
    EXPECT_EQ(gameState.progress.countedScore[1], c.countedScoreAfter);
    EXPECT_EQ(gameState.progress.countedGold[1], c.countedGoldAfter);
    EXPECT_EQ(gameState.progress.currentLevel, 3);
    EXPECT_EQ(levelStates[1], LevelDone);
    EXPECT_EQ(levelStates[2], LevelAvailable);
    EXPECT_EQ(levelStates[3], LevelLocked);
  }
}

// An old save (no counts kept) loads its done levels as not known.
TEST_F(ProgressTest, ASaveWithoutCountsLoadsItsDoneLevelsAsNotKnown) {
  WriteState(std::string(kStateHeader) + "3\t4000\t90\t5\t0\t0\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0");
  Start();
  ToMenu();
  EXPECT_EQ(gameState.progress.countedScore[0], -1);
  EXPECT_EQ(gameState.progress.countedGold[1], -1);
  EXPECT_EQ(gameState.progress.countedScore[2], 0);
}

// The level's own values are its match's, which a load leaves alone; the
// player's pages shown and current level start afresh.
TEST_F(ProgressTest, LoadingStartsFromANewGameSoThePlayersOwnValuesAreCleared) {
  ResetProgress();
  gameState.progress.currentLevel = 4;
  gameState.progress.banditsIntroShown = 1;
  LoadProgress();  // no file system yet: the new game stays
  EXPECT_EQ(gameState.progress.banditsIntroShown, 0);
  EXPECT_EQ(gameState.progress.currentLevel, 1);
}

TEST_F(ProgressTest, AStateFileWithoutASaveIsKeptAsideOnceAndANewGameBegins) {
  WriteState("not a saved game \xC3\xA9");
  Start();
  testing::internal::CaptureStdout();
  ToMenu();
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_NE(said.find("kept as " + folder + ".tarvexstate.damaged"), std::string::npos) << said;
  EXPECT_EQ(ReadState(".tarvexstate.damaged"), "not a saved game \xC3\xA9");
  EXPECT_EQ(access(StatePath().c_str(), F_OK), -1);
  EXPECT_EQ(gameState.progress.currentLevel, 1);

  Key(kGlfwEscape);  // nothing happens on the menu
  Click(800, 220);
  Key(kGlfwEscape);  // the map saves on its way back
  EXPECT_NE(ReadState().find("trandle.sav\t21\t1\t"), std::string::npos) << ReadState();
  testing::internal::CaptureStdout();
  Click(800, 220);
  Key(kGlfwEscape);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

  // A later damaged file does not replace the first one kept.
  WriteState("TVXDATA");
  CreateFileSystem();
  testing::internal::CaptureStdout();
  LoadProgress();
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(ReadState(".tarvexstate.damaged"), "not a saved game \xC3\xA9");
  EXPECT_EQ(ReadState(".tarvexstate.damaged-2"), "TVXDATA");
}

// ---- Damaged saves: each leaves a game that starts and a level to play ----

struct DamagedSave {
  const char* name;
  std::string state;
  int level;  // the level the map then offers
};

std::string Save(const std::string& values) { return std::string(kStateHeader) + values; }

const DamagedSave kDamagedSaves[] = {
    {"LevelZero", Save("0\t0\t0\t5\t0\t0\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0"), 1},
    {"LevelTooHigh", Save("99\t0\t0\t5\t0\t0\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1"), 15},
    {"NegativeLevel", Save("-4\t0\t0\t5\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0"), 1},
    {"NoWorkers", Save("3\t0\t0\t0\t0\t0\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0"), 3},
    {"TooManyWorkers", Save("3\t0\t0\t4000\t0\t0\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0"), 3},
    {"NegativeTotals", Save("2\t-500\t-9999\t5\t0\t0\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0"), 2},
    {"HugeScore", Save("2\t1e30\t0\t5\t0\t0\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0"), 2},
    {"NoLevelAvailable", Save("6\t0\t0\t5\t0\t0\t1\t1\t1\t1\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0"), 6},
    {"StatesOutOfRange", Save("2\t0\t0\t5\t0\t0\t7\t-3\t9\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0"), 2},
    {"CompletedFlagOutOfRange", Save("15\t0\t0\t5\t8\t0\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1"), 15},
    {"NotNumbers", Save("x\ty\tz\tw\tv\tu\tt\ts\tr\tq\tp\to\tn\tm\tl\tk\tj\ti\th\tg\tf"), 1},
    {"FewValues", "TVXDATA\t1\ttrandle.sav\t3\t5\t100\t200", 5},
    {"NoValues", "TVXDATA\t1\ttrandle.sav\t0", 1},
    {"CutShort", "TVXDATA\t1\ttrandle.sav\t21\t4\t100", 1},
    {"HeaderOnly", "TVXDATA", 1},
    {"OtherFilesOnly", "TVXDATA\t1\tother.sav\t2\t1\t2", 1},
    {"BesideAnotherFile", "TVXDATA\t2\taaa\t1\t5\ttrandle.sav\t21\t2\t0\t0\t5\t0\t0\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0",
     2},
    {"Garbage", std::string("\x89PNG\r\n\x1a\n\0\0\xff\xfe", 12), 1},
    {"Empty", "", 1},
};

class DamagedSaves : public MainGameFixture, public ::testing::WithParamInterface<DamagedSave> {};

TEST_P(DamagedSaves, TheGameStartsAndTheMapOffersALevelThatStarts) {
  WriteState(GetParam().state);
  Start();
  testing::internal::CaptureStdout();
  ToMap(false);  // continue
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(app->screen, ScreenScenarioMap);
  EXPECT_GE(gameState.progress.currentLevel, 1);
  EXPECT_LE(gameState.progress.currentLevel, 15);
  EXPECT_GE(gameState.progress.ownedWorkers, 5);
  EXPECT_LE(gameState.progress.ownedWorkers, 15);
  EXPECT_GE(gameState.progress.totalScore, 0);
  EXPECT_GE(gameState.progress.totalGold, 0);
  EXPECT_LE(gameState.progress.totalScore, 1000000000);  // room left to add to it
  const int level = GetParam().level;
  if (gameState.progress.gameCompleted == 1) {
    // Everything won: a new game is the level to play.
    Key(kGlfwEscape);
    Click(800, 340);
  } else {
    const c_cScenarioIcon* icon = app->scenarioMap->icons[level - 1];
    Click(static_cast<float>(icon->x), static_cast<float>(icon->y));
  }
  StartSelectedLevel();
  EXPECT_EQ(app->screen, ScreenPlaying);
  EXPECT_EQ(gameState.progress.currentLevel, gameState.progress.gameCompleted == 1 ? 1 : level);
}

INSTANTIATE_TEST_SUITE_P(Corpus, DamagedSaves, ::testing::ValuesIn(kDamagedSaves),
                         [](const ::testing::TestParamInfo<DamagedSave>& info) { return info.param.name; });

}  // namespace
