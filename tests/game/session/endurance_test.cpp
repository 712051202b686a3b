// Long play of the whole game, short: an hour of game time (or as many
// minutes as TARVEX_ENDURANCE_MINUTES says) of the solver's schedules and a
// random player through the host's input path, the invariants checked after
// every update, and the state file whole at the end. The invariant checker and the state check themselves are
// tested first, on faults made by hand.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>

#include "game/session/save_file.h"
#include "tests/game/game_fixture.h"
#include "tools/endurance/endurance_run.h"
#include "tools/endurance/invariants.h"

namespace {

// An hour of game time takes a tenth of a second, and a few seconds in the
// sanitizer build with the collector's stress switch.
constexpr double kDefaultMinutes = 60;

class Invariants : public GameFixture {
 protected:
  std::string Check(bool workers = true) const { return CheckGameInvariants(*match, workers); }
  c_cRailTile* Job() const { return level->railTiles[0]; }
};

TEST_F(Invariants, HoldOnEveryLaidOutLevelAndAfterOrdersClearingsAndMining) {
  for (int n = 1; n <= kLevelCount; ++n) {
    StartLevel(n, 7);
    EXPECT_EQ(Check(), "") << "level " << n;
  }
  StartLevel(2);
  match->flags.tutorialShowing = match->flags.gamePaused = 0;
  match->run.iron = 1000;
  match->run.selectedPiece = PieceStraightWE;
  ClickBoard(CellCentre(level->startX + 1), CellCentre(level->startY));
  ASSERT_EQ(match->run.freeWorkers, 4);
  EXPECT_EQ(Check(), "");
  Run(6000);
  EXPECT_EQ(level->CellKind(level->startX + 1, level->startY), PieceStraightWE);
  EXPECT_EQ(Check(), "");
}

TEST_F(Invariants, NameABlockedCellNothingExplains) {
  StartLevel(1);
  level->SetCellKind(6, 8, CellBlocked);
  EXPECT_NE(Check().find("cell (6,8) is blocked"), std::string::npos) << Check();
  // A piece being built there explains it.
  Job()->active = Job()->building = 1;
  Job()->x = 6;
  Job()->y = 8;
  match->run.freeWorkers -= 1;
  EXPECT_EQ(Check(), "");
  // Stones that were cleared do not.
  Job()->active = 0;
  match->run.freeWorkers += 1;
  c_cBlockTile* stones = level->blockTiles[level->blockTiles.Length() - 1];
  stones->x = 6;
  stones->y = 8;
  stones->active = 0;
  EXPECT_NE(Check(), "");
  stones->active = 1;
  EXPECT_EQ(Check(), "");
}

TEST_F(Invariants, NameKindsOutOfRangeNegativeIronAndATrainOffTheBoard) {
  StartLevel(1);
  level->SetCellKind(3, 3, kPieceKindCount);
  EXPECT_EQ(Check(), "cell (3,3) has kind 7");
  level->SetCellKind(3, 3, CellBlocked - 1);
  EXPECT_EQ(Check(), "cell (3,3) has kind -3");
  level->SetCellKind(3, 3, CellEmpty);
  match->run.iron = -1;
  EXPECT_EQ(Check(), "iron is -1");
  match->run.iron = 0;
  train->cellX = -1;  // left of the board, where it waits
  EXPECT_EQ(Check(), "");
  train->cellX = -2;
  EXPECT_EQ(Check(), "the train stands on cell (-2," + std::to_string(train->cellY) + ")");
  train->cellX = kColumns;
  EXPECT_NE(Check(), "");
}

TEST_F(Invariants, CountEveryWorkerInExactlyOnePlaceWhileALevelIsPlayed) {
  StartLevel(3, 6);
  level->mine->workers = 2;
  EXPECT_NE(Check().find("= 8, but 6 are owned"), std::string::npos) << Check();
  EXPECT_EQ(Check(false), "");  // off the level, idle counts are not kept
  match->run.freeWorkers -= 2;
  EXPECT_EQ(Check(), "");
  // One worker on two jobs: a clearing marked without taking anyone.
  c_cBlockTile* stones = level->blockTiles[level->blockTiles.Length() - 1];
  stones->active = stones->removing = 1;
  EXPECT_NE(Check(), "");
  match->run.freeWorkers -= 1;
  EXPECT_EQ(Check(), "");
  // Two pieces on one cell.
  level->SetCellKind(6, 0, CellBlocked);
  for (int i = 0; i < 2; ++i) {
    c_cRailTile* job = level->railTiles[i];
    job->active = job->building = 1;
    job->x = 6;
    job->y = 0;
  }
  match->run.freeWorkers -= 2;
  EXPECT_EQ(Check(), "two pieces are built on cell (6,0)");
}

TEST(EnduranceState, ATextIsWholeOnlyWithTheSaveFilesTwentyOneValuesInRange) {
  int v[kSaveValueCount];
  const std::string whole = "TVXDATA\t1\ttrandle.sav\t21\t4\t900\t700\t6\t0\t0\t1\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0";
  EXPECT_EQ(CheckStateText(whole, v), "");
  EXPECT_EQ(v[0], 4);
  EXPECT_EQ(v[3], 6);
  EXPECT_EQ(v[9], 2);
  EXPECT_NE(CheckStateText("", v), "");
  EXPECT_NE(CheckStateText(whole.substr(0, whole.size() - 2), v), "");  // cut inside the last values
  EXPECT_NE(CheckStateText("TVXDATA\t1\ttrandle.sav\t2\t4\t900", v), "");
  std::string badLevel = whole;
  badLevel.replace(badLevel.find("\t21\t4\t") + 4, 1, "0");
  EXPECT_NE(CheckStateText(badLevel, v), "");
  std::string badState = whole;
  badState.replace(badState.find("\t2\t0"), 2, "\t3");
  EXPECT_NE(CheckStateText(badState, v), "");
}

TEST(EnduranceState, FlatnessComparesTheSecondHalfsPeakWithTheFirsts) {
  EXPECT_TRUE(StaysFlat({100, 200, 150, 190, 200, 180}, 0.05, 0));
  EXPECT_TRUE(StaysFlat({100, 200, 150, 190, 209, 180}, 0.05, 0));
  EXPECT_FALSE(StaysFlat({100, 200, 150, 190, 211, 180}, 0.05, 0));
  EXPECT_FALSE(StaysFlat({100, 110, 120, 130, 140, 150}, 0.05, 0));
  EXPECT_TRUE(StaysFlat({100, 110, 120, 130, 140, 150}, 0.05, 40));
}

TEST(Endurance, MinutesOfSolverAndRandomPlayKeepEveryInvariantAndLeaveTheStateFileWhole) {
  double minutes = kDefaultMinutes;
  if (const char* text = std::getenv("TARVEX_ENDURANCE_MINUTES")) minutes = std::atof(text);
  ASSERT_GT(minutes, 0);
  char pattern[] = "/tmp/tarvex-endurance-test-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  EnduranceOptions options;
  options.gameMinutes = minutes;
  options.phaseMinutes = minutes / 4;
  options.seed = 7;
  options.stateFolder = std::string(pattern) + "/";
  const EnduranceReport r = RunEndurance(options);
  std::system(("rm -rf '" + options.stateFolder + "'").c_str());

  EXPECT_EQ(r.violation, "") << "at game minute " << r.violationAtMinutes;
  EXPECT_GE(r.gameMinutes, minutes);
  EXPECT_EQ(r.stateProblem, "") << r.stateText;
  // Both players really played.
  EXPECT_GT(r.levelsStarted, 0);
  EXPECT_GT(r.levelsWon + r.levelsLost, 0);
  EXPECT_GT(r.randomClicks, 0);
  EXPECT_GT(r.randomKeys, 0);
  EXPECT_GE(r.samples.size(), static_cast<std::size_t>(minutes));
}

}  // namespace
