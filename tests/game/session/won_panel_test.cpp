// The won panel played through the game: its figures count up with a tally
// sound per line, then the stars come one by one with their own sound, three
// for the cheapest track's iron, two within a quarter more, one beyond; the
// stars go into the records, and "New best" shows when a record falls.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "game/rules/economy.h"
#include "game/rules/layouts.h"
#include "game/screens/level_records.h"
#include "game/solver/cheapest_iron.h"
#include "game/solver/solution.h"
#include "tests/game/main_game_fixture.h"
#include "tests/game/listening_fixtures.h"

namespace {

// Long enough for every line and star to have come.
constexpr int kWholeTallyMs = kWonLineCount * (kTallyLineMs + kTallyPauseMs) + kMostStars * kStarStepMs + 200;

class WonPanel : public MainGameWithSounds {
 protected:
  // Orders a piece by its palette key and a click on its cell.
  void Order(int kind, CellXY cell) {
    Key(kGlfwDigit1 + kind);
    Click(static_cast<float>(CellCentre(cell.x)), static_cast<float>(CellCentre(cell.y)));
  }
  // Orders the pieces a few at a time, as the workers come free, and waits
  // for the last to be built.
  void Build(const std::vector<TrackPiece>& pieces) {
    for (const TrackPiece& p : pieces) {
      if (Played().run.freeWorkers == 0) Run(5500);
      Order(p.kind, p.cell);
    }
    Run(5500);
  }
  // Straights on free cells off the cheapest track.
  static std::vector<TrackPiece> SparePieces(const LevelSolution& s, int count) {
    std::set<int> onRoute;
    for (const TrackPiece& p : s.pieces) onRoute.insert(CellIndex(p.cell.x, p.cell.y));
    std::vector<TrackPiece> spare;
    for (int y = kRows - 1; y >= 0 && static_cast<int>(spare.size()) < count; --y) {
      for (int x = kColumns - 1; x >= 0 && static_cast<int>(spare.size()) < count; --x) {
        if (s.board.At(x, y) != Ground::Free || onRoute.count(CellIndex(x, y)) != 0) continue;
        spare.push_back(TrackPiece{CellXY{x, y}, PieceStraightWE, false});
      }
    }
    return spare;
  }
};

TEST_F(WonPanel, ItCountsUpWithATallyPerLineThenGivesStarsByTheIronSpent) {
  const LevelSolution solution = SolveLevel(1);
  const int cheapest = CheapestIron(1);
  ASSERT_EQ(cheapest, solution.ironCost);
  // Straights (100 iron each) beyond the cheapest track: none, and as many
  // as both a quarter more and the level's iron allow. (One star takes more
  // iron than the first level gives; StarsForWin's table holds that case.)
  const int startIron = LevelLayoutOf(1).iron;
  const int spare = std::min(cheapest / 4, startIron - cheapest) / kStraightCost;
  ASSERT_GE(spare, 1);
  struct Case {
    int spare;
    int stars;
  };
  for (const Case c : {Case{0, 3}, Case{spare, 2}}) {
    SCOPED_TRACE(c.spare);
    TearDown();
    SetUp();
    Start();
    PlayFirstLevel();
    ASSERT_EQ(Played().run.iron, startIron);
    Build(solution.pieces);
    Build(SparePieces(solution, c.spare));
    EXPECT_EQ(Played().run.ironSpent, cheapest + c.spare * kStraightCost);
    EXPECT_EQ(Played().run.ironSpent, startIron - Played().run.iron);
    Click(540, 13);  // the send-off
    sounds.played.clear();
    RunUntil(Played().run.trainArrived);
    ASSERT_EQ(Played().run.trainArrived, 1);

    // The arrival's update: the count-up starts at nothing.
    const WonTally& tally = app->wonTally;
    const int now = Played().clock.lastMillisecs;
    ASSERT_TRUE(tally.started);
    EXPECT_EQ(tally.Shown(WonLineScore, now), 0);
    EXPECT_EQ(tally.StarsShown(now), 0);
    EXPECT_EQ(sounds.Count(SoundTally), 0);
    EXPECT_EQ(tally.departSecondsLeft, Played().run.departSecondsLeft);
    EXPECT_EQ(tally.arrivalSeconds, app->LevelSeconds());
    // Half-way through the first line: part of the bonus.
    Run(kTallyLineMs / 2);
    const int halfBonus = tally.Shown(WonLineBonus, Played().clock.lastMillisecs);
    EXPECT_GT(halfBonus, 0);
    EXPECT_LT(halfBonus, kDepartBonus);
    Run(kWholeTallyMs);
    const int end = Played().clock.lastMillisecs;
    EXPECT_EQ(tally.Shown(WonLineBonus, end), kDepartBonus);
    EXPECT_EQ(tally.Shown(WonLineGold, end), Played().run.levelGold);
    EXPECT_EQ(tally.Shown(WonLineScore, end), Played().run.levelScore);
    EXPECT_EQ(sounds.Count(SoundTally), kWonLineCount);
    EXPECT_EQ(sounds.Count(SoundStar), c.stars);
    EXPECT_EQ(tally.StarsShown(end), c.stars);
    EXPECT_FALSE(tally.NewBestShown(end));  // a first win breaks no record

    Click(600, 500);  // continue: the stars go into the records
    EXPECT_EQ(app->scenarioMap->records.Of(0).stars, c.stars);
  }
}

TEST_F(WonPanel, ASecondFasterWinShowsNewBestAndKeepsTheMostStars) {
  Start();
  PlayFirstLevel();
  Run(20000);  // a slow first run
  LayTrackAndDepart();
  RunUntil(Played().run.trainArrived);
  Run(kWholeTallyMs);
  EXPECT_FALSE(app->wonTally.NewBestShown(Played().clock.lastMillisecs));
  Click(600, 500);  // continue
  ASSERT_EQ(app->scenarioMap->records.Of(0).stars, 3);  // no iron spent at all

  Key(kGlfwEscape);  // the map to the menu
  Click(800, 340);   // new game: the records stay
  StartSelectedLevel();
  ReadTutorialAway();
  LayTrackAndDepart();
  RunUntil(Played().run.trainArrived);
  const WonTally& tally = app->wonTally;
  EXPECT_TRUE(tally.newBest);
  EXPECT_FALSE(tally.NewBestShown(Played().clock.lastMillisecs));  // after the stars
  Run(kWholeTallyMs);
  EXPECT_TRUE(tally.NewBestShown(Played().clock.lastMillisecs));
}

TEST(WonStars, ThreeForTheCheapestIronTwoWithinAQuarterMoreElseOne) {
  struct Case {
    int spent, cheapest, stars;
  };
  const Case cases[] = {
      {900, 1000, 3}, {1000, 1000, 3}, {1001, 1000, 2}, {1250, 1000, 2},
      {1251, 1000, 1}, {5000, 1000, 1}, {0, 0, 3},       {100, 0, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(StarsForWin(c.spent, c.cheapest), c.stars) << c.spent << "/" << c.cheapest;
}

TEST(WonStars, ARecordFallsToAHigherScoreOrAFasterArrivalButNotToAFirstWin) {
  LevelRecord held;
  held.won = true;
  held.bestScore = 2000;
  held.fastestSeconds = 115;
  struct Case {
    bool won;
    int score, seconds;
    bool breaks;
  };
  const Case cases[] = {
      {true, 2000, 115, false}, {true, 2001, 200, true}, {true, 100, 114, true},
      {true, 1999, 116, false}, {false, 9999, 1, false},
  };
  for (const Case& c : cases) {
    held.won = c.won;
    EXPECT_EQ(BreaksRecord(held, c.score, c.seconds), c.breaks) << c.score << " in " << c.seconds;
  }
}

TEST(WonStars, TheRecordsKeepTheMostStarsOfAnyWin) {
  LevelRecords records;
  records.RecordWin(3, 1000, 100, false, 2);
  records.RecordWin(3, 1200, 90, false, 1);
  EXPECT_EQ(records.Of(2).stars, 2);
  records.RecordWin(3, 800, 120, false, 3);
  EXPECT_EQ(records.Of(2).stars, 3);
  EXPECT_EQ(records.Of(2).bestScore, 1200);
  EXPECT_EQ(records.Of(0).stars, 0);  // never won
  EXPECT_EQ(MinutesText(115), "1:55");
  EXPECT_EQ(MinutesText(7), "0:07");
}

}  // namespace

namespace {

TEST(WonStars, ADemonstrationsArrivalShowsItsFiguresWholeWithoutStarsOrTimes) {
  LevelRun run;
  run.departSecondsLeft = 120;
  run.levelGold = 300;
  run.levelScore = 2300;
  const WonTally tally = WholeTallyOf(run, 50000);
  EXPECT_EQ(tally.Shown(WonLineBonus, 50000), kDepartBonus);
  EXPECT_EQ(tally.Shown(WonLineGold, 50000), 300);
  EXPECT_EQ(tally.Shown(WonLineScore, 50000), 2300);
  EXPECT_EQ(tally.StarsShown(50000), 0);
  EXPECT_FALSE(tally.NewBestShown(50000));
  EXPECT_LT(tally.arrivalSeconds, 0);
  run.departSecondsLeft = -1;  // it left on its own: no bonus
  EXPECT_EQ(WholeTallyOf(run, 50000).Shown(WonLineBonus, 50000), 0);
}

}  // namespace
