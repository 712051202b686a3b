// The solver in the game, through the host's input path: the hint (button and
// H key) shows the solver's next pieces and changes nothing; "Show me" after a
// loss plays the solver's way on a level of its own and puts the failed level
// back as it was, writing nothing; the records keep the best results, outlive
// a new game, and neither an old save nor a damaged records file stops play.
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/session/records_file.h"
#include "game/solver/solution.h"
#include "tests/game/main_game_fixture.h"

namespace {

constexpr int kGlfwH = 72;
constexpr int kGlfwS = 83;
const std::string kSaveOnly =
    "TVXDATA\t1\ttrandle.sav\t21\t2\t700\t0\t5\t0\t0\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0";

class SolverInGame : public MainGameFixture {
 protected:
  void LoseFirstLevel() {
    Start();
    PlayFirstLevel();
    Click(540, 13);  // sent off over no track
    RunUntil(Played().run.trainCrashed);
    ASSERT_EQ(Played().run.trainCrashed, 1);
  }
  void WinFirstLevel(bool askHint) {
    if (askHint) Key(kGlfwH);
    LayTrackAndDepart();
    RunUntil(Played().run.trainArrived);
    ASSERT_EQ(Played().run.trainArrived, 1);
  }
  // What the failed level shows: the run's values, the progress and every cell.
  std::vector<int> FailedLevelFacts(const c_cLevel& level) const {
    const LevelRun& r = Played().run;
    const Progress& p = gameState.progress;
    std::vector<int> facts = {r.iron, r.freeWorkers, r.levelScore, r.levelGold, r.selectedPiece, r.departNow,
                              r.trainRunning, r.trainArrived, r.trainCrashed, p.currentLevel, p.totalScore,
                              p.totalGold, p.ownedWorkers, p.banditsIntroShown, p.indigensIntroShown,
                              static_cast<int>(Played().random.seed)};
    for (int i = 0; i < kCellCount; ++i) facts.push_back(level.cellKinds[i]);
    for (int i = 0; i < kLevelCount; ++i) facts.push_back(levelStates[i]);
    return facts;
  }
};

TEST_F(SolverInGame, TheHintKeyAndTheHintButtonShowTheSolversFirstThreePiecesOnLevelOne) {
  const LevelSolution solution = SolveLevel(1);
  ASSERT_GE(solution.pieces.size(), 3u);
  struct Way {
    const char* name;
    bool key;
  };
  for (const Way way : {Way{"the H key", true}, Way{"the hint button", false}}) {
    SCOPED_TRACE(way.name);
    TearDown();
    SetUp();
    Start();
    PlayFirstLevel();
    const int iron = Played().run.iron;
    EXPECT_FALSE(app->hint.shown);
    if (way.key) {
      Key(kGlfwH);
    } else {
      Click((kHintButton.left + kHintButton.right) / 2, (kHintButton.top + kHintButton.bottom) / 2);
    }
    ASSERT_TRUE(app->hint.shown);
    EXPECT_TRUE(app->hintUsed);
    ASSERT_EQ(app->hint.ghosts.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(app->hint.ghosts[i].cell.x, solution.pieces[i].cell.x) << i;
      EXPECT_EQ(app->hint.ghosts[i].cell.y, solution.pieces[i].cell.y) << i;
      EXPECT_EQ(app->hint.ghosts[i].kind, solution.pieces[i].kind) << i;
    }
    EXPECT_EQ(app->hint.line.rfind("Hint: " + std::to_string(solution.pieces.size()) + " more pieces, " +
                                       std::to_string(solution.ironCost) + " iron",
                                   0),
              0u)
        << app->hint.line;
    // Asking changed nothing of the level.
    EXPECT_EQ(Played().run.iron, iron);
    // Ordering a piece changes the board: the hint goes.
    Key(kGlfwDigit1);
    const CellXY first = solution.pieces[0].cell;
    Click(static_cast<float>(CellCentre(first.x)), static_cast<float>(CellCentre(first.y)));
    Update();
    EXPECT_FALSE(app->hint.shown);
  }
}

TEST_F(SolverInGame, WithTheTrainSentOffOverNoTrackTheHintSaysThereIsNoWay) {
  Start();
  PlayFirstLevel();
  Click(540, 13);
  Key(kGlfwH);
  ASSERT_EQ(Played().run.trainCrashed, 0);
  ASSERT_TRUE(app->hint.shown);
  EXPECT_FALSE(app->hint.wayExists);
  EXPECT_EQ(app->hint.line, "No way to FINISH from here - Restart?");
  EXPECT_TRUE(app->hint.ghosts.empty());
}

TEST_F(SolverInGame, ShowMePlaysTheSolversWayAndPutsTheFailedLevelBackWritingNothing) {
  struct Case {
    const char* name;
    int key;         // the key that stops it, or 0 for a click
    int runMs;       // how long it runs before that; -1: until it ends by itself
  };
  for (const Case c : {Case{"stopped by a key", kGlfwEscape, 6000}, Case{"stopped by a click", 0, 3000},
                       Case{"ends by itself", 0, -1}}) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    LoseFirstLevel();
    const std::vector<int> before = FailedLevelFacts(*Played().board);
    const std::string stateBefore = ReadState();
    const c_cLevel* failedLevel = Played().board;
    const Match* playersMatch = app->match;
    ASSERT_TRUE(app->feedback->CrashKnown());
    const CrashCause causeBefore = app->feedback->LastCrashCause();
    Key(kGlfwS);
    ASSERT_TRUE(app->demo.running);
    // A match of its own beside the player's, which stays where it was.
    EXPECT_NE(&Played(), playersMatch);
    EXPECT_EQ(app->match.get(), playersMatch);
    EXPECT_EQ(app->match->run.trainCrashed, 1);
    EXPECT_NE(Played().board.get(), failedLevel);
    EXPECT_EQ(Played().run.trainCrashed, 0);
    if (c.runMs < 0) {
      // Level 1 at four times the speed: the train arrives, the end lingers.
      for (int end = clockMs + 200000; app->demo.running && clockMs < end;) Update();
      EXPECT_FALSE(app->demo.running);
    } else {
      Run(c.runMs);
      ASSERT_TRUE(app->demo.running);
      // The demonstration lays track by the plan.
      int pieces = 0;
      for (int i = 0; i < kCellCount; ++i) pieces += Played().board->cellKinds[i] != CellEmpty ? 1 : 0;
      EXPECT_GT(pieces, 0);
      if (c.key != 0) {
        Key(c.key);
      } else {
        Click(500, 300);
      }
      EXPECT_FALSE(app->demo.running);
    }
    EXPECT_EQ(app->screen, ScreenPlaying);
    // Its match is dropped.
    EXPECT_EQ(app->demoMatch.get(), nullptr);
    EXPECT_EQ(&Played(), playersMatch);
    EXPECT_EQ(Played().board.get(), failedLevel);
    EXPECT_EQ(FailedLevelFacts(*Played().board), before);
    EXPECT_EQ(ReadState(), stateBefore);
    EXPECT_FALSE(app->scenarioMap->records.Of(0).won);
    // The failed panel says again why the train crashed.
    EXPECT_TRUE(app->feedback->CrashKnown());
    EXPECT_EQ(app->feedback->LastCrashCause(), causeBefore);
    // The failed panel answers again.
    Click(400, 420);
    EXPECT_EQ(app->screen, ScreenMenu);
  }
}

TEST_F(SolverInGame, AWonLevelKeepsItsBestResultsAndWhetherItWasWonWithoutAHint) {
  // Three wins of level 1: with a hint, without, with again.
  Start();
  PlayFirstLevel();
  WinFirstLevel(true);
  const int firstScore = Played().run.levelScore;
  const int firstSeconds = (app->levelPlayMs + 500) / 1000;
  EXPECT_GT(firstSeconds, 0);
  Click(600, 500);  // continue
  const LevelRecord& after1 = app->scenarioMap->records.Of(0);
  EXPECT_TRUE(after1.won);
  EXPECT_EQ(after1.bestScore, firstScore);
  EXPECT_EQ(after1.fastestSeconds, firstSeconds);
  EXPECT_FALSE(after1.wonWithoutHint);
  EXPECT_NE(ReadState().find("records.sav\t76\t15\t1\t" + std::to_string(firstScore) + "\t"), std::string::npos)
      << ReadState();

  // A new game keeps the records; level 1 won again, without a hint, slower.
  Key(kGlfwEscape);  // the map to the menu
  Click(800, 340);   // new game
  ASSERT_EQ(app->screen, ScreenScenarioMap);
  EXPECT_TRUE(app->scenarioMap->records.Of(0).won);
  StartSelectedLevel();
  ReadTutorialAway();
  Run(5000);
  WinFirstLevel(false);
  Click(600, 500);
  const LevelRecord& after2 = app->scenarioMap->records.Of(0);
  EXPECT_EQ(after2.bestScore, std::max(firstScore, gameState.progress.totalScore));
  EXPECT_EQ(after2.fastestSeconds, firstSeconds);
  EXPECT_TRUE(after2.wonWithoutHint);
}

TEST(LevelRecordsText, TheMapShowsTheBestScoreAndTheFastestArrivalInMinutesAndSeconds) {
  struct Case {
    LevelRecord record;
    const char* text;
  };
  const Case cases[] = {
      {{false, 0, 0, false}, ""},
      {{true, 3400, 112, false}, "Best: 3400 in 1:52"},
      {{true, 500, 65, true}, "Best: 500 in 1:05"},
      {{true, 12000, 9, true}, "Best: 12000 in 0:09"},
  };
  for (const Case& c : cases) EXPECT_EQ(RecordText(c.record), c.text);
}

TEST_F(SolverInGame, AnOldSaveLoadsAsItIsAndADamagedRecordsFileIsSetAsideWithOneLine) {
  struct Case {
    const char* name;
    std::string records;  // the records file in the state, "" for none
    bool damaged;
  };
  // Records as first written, without stars, and with them (level 1: two).
  std::string good = "\trecords.sav\t61\t15";
  std::string withStars = "\trecords.sav\t76\t15";
  for (int i = 0; i < kLevelCount; ++i) {
    good += i == 0 ? "\t1\t2500\t95\t1" : "\t0\t0\t0\t0";
    withStars += i == 0 ? "\t1\t2500\t95\t1" : "\t0\t0\t0\t0";
  }
  for (int i = 0; i < kLevelCount; ++i) withStars += i == 0 ? "\t2" : "\t0";
  std::string wrongCount = "\trecords.sav\t5\t15\t1\t2500\t95\t1";
  std::string badValue = good;
  badValue.replace(badValue.find("\t95\t"), 4, "\t-9\t");
  std::string starsOnALevelNeverWon = withStars;
  starsOnALevelNeverWon.replace(starsOnALevelNeverWon.size() - 2, 2, "\t1");
  std::string fourStars = withStars;
  fourStars.replace(fourStars.size() - 30, 2, "\t4");
  // A win read from the first kind of file and written back: no stars yet.
  std::string winBeforeStars = withStars;
  winBeforeStars.replace(winBeforeStars.size() - 30, 2, "\t0");
  for (const Case& c : {Case{"an old save", "", false}, Case{"good records", good, false},
                       Case{"records with stars", withStars, false}, Case{"a wrong count", wrongCount, true},
                       Case{"a bad value", badValue, true}, Case{"stars without a win", starsOnALevelNeverWon, true},
                       Case{"four stars", fourStars, true}, Case{"a win from before the stars", winBeforeStars, false}}) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    std::string state = kSaveOnly;
    if (!c.records.empty()) {
      state.replace(0, 9, "TVXDATA\t2");
      state += c.records;
    }
    WriteState(state);
    Start();
    testing::internal::CaptureStdout();
    ToMap(false);
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(app->screen, ScreenScenarioMap);
    // The save loaded as it is, never kept aside.
    EXPECT_EQ(gameState.progress.currentLevel, 2);
    EXPECT_EQ(gameState.progress.totalScore, 700);
    EXPECT_EQ(ReadState(".tarvexstate.damaged"), "");
    const LevelRecord& first = app->scenarioMap->records.Of(0);
    const bool kept = !c.records.empty() && !c.damaged;
    EXPECT_EQ(first.won, kept);
    EXPECT_EQ(first.fastestSeconds, kept ? 95 : 0);
    EXPECT_EQ(first.stars, c.records == withStars ? 2 : 0);
    EXPECT_EQ(out.find("records.sav are damaged") != std::string::npos, c.damaged) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), c.damaged ? 1 : 0) << out;
  }
}

// ---- Replays: hint presses and a demonstration end on the same line ----------

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string LastLineOfReplay(const std::string& text) {
  char dir[] = "/tmp/tarvex-replay-XXXXXX";
  if (mkdtemp(dir) == nullptr) return "no folder";
  const std::string folder = dir;
  std::ofstream(folder + "/run.replay", std::ios::binary) << text;
  const std::string command = "cd " + folder + " && env -u DISPLAY ALSOFT_DRIVERS=null " TARVEX_GAME_EXE
                              " --replay run.replay --headless > out 2> err";
  const int status = std::system(command.c_str());
  std::string out = ReadAll(folder + "/out");
  std::system(("rm -rf '" + folder + "'").c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "failed";
  if (!out.empty() && out.back() == '\n') out.pop_back();
  return out.substr(out.rfind('\n') == std::string::npos ? 0 : out.rfind('\n') + 1);
}

// The replay with lines put in before the first line at or after ms.
std::string WithLinesAt(std::string replay, int ms, const std::string& lines) {
  std::istringstream in(replay);
  std::string out, line;
  bool put = false;
  while (std::getline(in, line)) {
    const bool timed = !line.empty() && line[0] >= '0' && line[0] <= '9';
    const bool end = line.rfind("end ", 0) == 0;
    if (!put && ((timed && std::stoi(line) >= ms) || end)) {
      out += lines;
      put = true;
    }
    out += line + "\n";
  }
  return out;
}

std::string KeyPress(int ms, int key) {
  const std::string t = std::to_string(ms);
  return t + " key " + std::to_string(key) + " press\n" + t + " key " + std::to_string(key) + " release\n";
}

TEST(SolverInGameReplays, HintPressesAndADemonstrationLeaveTheLostLevelsReplayEndingOnTheSameLine) {
  const std::string kept = ReadAll(std::string(TARVEX_REPLAYS_DIR) + "/lost_level.replay");
  ASSERT_FALSE(kept.empty());
  // The level is played from 3333 (its pages read), the train is sent off at
  // 3366 and crashes in the update at 3800. The failed panel's menu button is
  // clicked at 3833; here it waits until 5500, to leave room for a
  // demonstration.
  std::string replay = kept;
  for (const char* line : {"3833 move", "3833 down", "3833 up", "end 3833"}) {
    const std::string from = line;
    const std::size_t at = replay.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    replay.replace(at + from.find("3833"), 4, from == "end 3833" ? "6000" : "5500");
  }
  const std::string plain = LastLineOfReplay(replay);
  ASSERT_EQ(plain.rfind("screen=1 ", 0), 0u) << plain;
  EXPECT_EQ(LastLineOfReplay(kept), plain.substr(0, plain.find(" time=")) + " time=3833" +
                                        plain.substr(plain.find(" states=")));
  struct Case {
    const char* name;
    std::string replay;
  };
  const Case cases[] = {
      {"hint presses while the level is played", WithLinesAt(replay, 3366, KeyPress(3340, kGlfwH) + KeyPress(3350, kGlfwH))},
      {"a hint press after the send-off", WithLinesAt(replay, 5500, KeyPress(3400, kGlfwH))},
      {"a demonstration shown and stopped",
       WithLinesAt(replay, 5500, KeyPress(3820, kGlfwS) + KeyPress(5000, kGlfwEscape))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(c.replay, replay);
    EXPECT_EQ(LastLineOfReplay(c.replay), plain);
  }
  // Left running, the demonstration takes the failed panel's click (it stops
  // it), so the replay stays in the level: the S key did start it.
  const std::string running = LastLineOfReplay(WithLinesAt(replay, 5500, KeyPress(3820, kGlfwS)));
  EXPECT_EQ(running.rfind("screen=3 ", 0), 0u) << running;
}

}  // namespace
