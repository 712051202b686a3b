// The event generator, bandits and raiders on real level layouts, driven by
// the fake clock and clicks.
#include <algorithm>

#include "tests/game/level_play.h"

namespace {

using Hazards = LevelPlay;

// Level 3's mine is at 9,7, so its bandits stand on 9,8 (pixel 697,623).
constexpr int kLevel3BanditsX = 9;
constexpr int kLevel3BanditsY = 8;

TEST_F(Hazards, EventPeriodsCoverTheirKindsRangeAndNoMore) {
  Play(1);
  const int lowest[] = {0, 91, 61, 31};
  for (int kind = 0; kind <= 3; ++kind) {
    int seenMin = 1000;
    int seenMax = -1;
    for (int second = 0; second < 3000; ++second) {
      fixtureCalendarSeconds = 1700000000 + second;
      level->SetupRandomEvents(kind, kind);
      for (int period : {level->eventGenerator->banditsPeriod, level->eventGenerator->indigensPeriod}) {
        seenMin = std::min(seenMin, period);
        seenMax = std::max(seenMax, period);
      }
    }
    EXPECT_EQ(seenMin, lowest[kind]) << "kind " << kind;
    EXPECT_EQ(seenMax, kind == 0 ? 0 : lowest[kind] + 28) << "kind " << kind;
  }
}

TEST_F(Hazards, BanditsArriveByTheMineAfterTheirPeriodOfUnpausedSeconds) {
  Play(3);
  const int period = level->eventGenerator->banditsPeriod;
  const int started = clockMs;
  Run(20000);
  match->flags.gamePaused = 1;  // ten seconds that do not count
  Run(10000);
  match->flags.gamePaused = 0;
  ASSERT_TRUE(RunUntil([&] { return Bandits()->active == 1; }, (period - 18) * 1040));
  const int waited = clockMs - started;
  EXPECT_GE(waited, (period + 9) * 1000);
  EXPECT_LE(waited, (period + 10) * 1034);
  EXPECT_EQ(Bandits()->x, kLevel3BanditsX);
  EXPECT_EQ(Bandits()->y, kLevel3BanditsY);
  // Their first appearance in a game pauses on their page.
  EXPECT_EQ(match->flags.gamePaused, 1);
  EXPECT_EQ(match->flags.tutorialShowing, 1);
  EXPECT_EQ(match->flags.tutorialPage, 9);
  EXPECT_EQ(progress.banditsIntroShown, 1);
  // Another event while they are out is lost: the same bandits stay.
  match->flags.gamePaused = match->flags.tutorialShowing = 0;
  Bandits()->chaseMeter = 50;
  level->eventGenerator->banditsDue = 1;
  Step();
  EXPECT_EQ(Bandits()->chaseMeter, 49.5f);
  EXPECT_EQ(level->eventGenerator->banditsDue, 0);
}

TEST_F(Hazards, BanditsStayAwayFromALevelWithoutAMine) {
  Play(1);
  level->eventGenerator->banditsDue = 1;
  Step();
  EXPECT_EQ(Bandits()->active, 0);
  EXPECT_EQ(match->flags.gamePaused, 0);
  EXPECT_EQ(progress.banditsIntroShown, 0);
}

// The thefts one after another: the text each one shows, and whether the
// bandits are still there after it.
class BanditThefts : public LevelPlay {
 protected:
  std::vector<std::string> StealUntilGone(int stock) {
    Play(3);
    match->run.iron = stock;
    level->SpawnBandits();
    match->flags.gamePaused = match->flags.tutorialShowing = 0;
    std::vector<std::string> thefts;
    while (Bandits()->active == 1 && thefts.size() < 10) {
      const int before = match->run.iron;
      const int lastTheft = static_cast<int>(Bandits()->actionTime);
      Step();
      if (match->run.iron == before && Bandits()->active == 1) continue;
      EXPECT_GT(clockMs, lastTheft + 1500);
      const std::vector<std::string> texts = Texts();
      thefts.push_back(texts.empty() ? "no text" : texts.back());
    }
    return thefts;
  }
};

TEST_F(BanditThefts, TakeAHundredAtATimeAndTheRestWhenLess) {
  EXPECT_EQ(StealUntilGone(250), (std::vector<std::string>{"3:-100@697,623", "3:-100@697,623", "3:-50@697,623"}));
  EXPECT_EQ(match->run.iron, 0);
}

TEST_F(BanditThefts, AnEmptyStockSendsThemAwayWithoutAText) {
  EXPECT_EQ(StealUntilGone(200), (std::vector<std::string>{"3:-100@697,623", "3:-100@697,623", "no text"}));
  EXPECT_EQ(match->run.iron, 0);
}

TEST_F(Hazards, SixClicksOnConsecutiveUpdatesDriveAnEnemyOffAndFiveDoNot) {
  Play(3);
  match->run.iron = 100000;
  level->SetCellKind(1, 1, PieceStraightWE);
  auto clickTimes = [&](int n, int x, int y) {
    for (int i = 0; i < n; ++i) {
      Use(PieceCurveES, x, y);
      Step();
    }
  };
  level->SpawnBandits();
  level->SpawnIndigens(1, 1);
  match->flags.gamePaused = match->flags.tutorialShowing = 0;
  clickTimes(5, kLevel3BanditsX, kLevel3BanditsY);
  clickTimes(5, 1, 1);
  EXPECT_EQ(Bandits()->active, 1);
  EXPECT_EQ(level->indigens[0]->active, 1);
  // The clicks went to the enemies: no worker went into the mine under the
  // bandits, nothing was ordered, and the selection is cleared.
  EXPECT_EQ(Mine()->workers, 0);
  EXPECT_EQ(match->run.freeWorkers, 5);
  EXPECT_EQ(match->run.selectedPiece, -1);
  Run(7000);  // the bandits cool off; the raiders tear out their piece meanwhile
  EXPECT_EQ(Bandits()->chaseMeter, 0.0f);
  clickTimes(6, kLevel3BanditsX, kLevel3BanditsY);
  EXPECT_EQ(Bandits()->active, 0);
  level->SetCellKind(2, 0, PieceStraightWE);
  level->SpawnIndigens(2, 0);
  clickTimes(6, 2, 0);
  EXPECT_EQ(level->indigens[0]->active, 0);
  EXPECT_EQ(Kind(2, 0), PieceStraightWE);
}

TEST_F(Hazards, BanditsDrivenOffAsTheirTimeIsUpStillStealOnce) {
  Play(3);
  level->SpawnBandits();
  match->flags.gamePaused = match->flags.tutorialShowing = 0;
  // Their 1.5 s run out in the sixth update from now.
  Bandits()->actionTime = static_cast<float>(clockMs + 6 * 33 - 1500 - 1);
  for (int i = 0; i < 6; ++i) {
    ClickCell(kLevel3BanditsX, kLevel3BanditsY);
    Step();
    if (i < 5) {
      EXPECT_EQ(match->run.iron, 800);
    }
  }
  EXPECT_EQ(Bandits()->active, 0);
  EXPECT_EQ(match->run.iron, 700);
}

TEST_F(Hazards, NothingIsStolenOrTornOutWhilePaused) {
  Play(3);
  level->SetCellKind(1, 1, PieceCurveEN);
  level->SpawnBandits();
  level->SpawnIndigens(1, 1);
  const float arrived = static_cast<float>(clockMs);
  match->flags.tutorialShowing = 0;
  ASSERT_EQ(match->flags.gamePaused, 1);
  Run(5000);
  EXPECT_EQ(match->run.iron, 800);
  EXPECT_EQ(Kind(1, 1), PieceCurveEN);
  EXPECT_EQ(Bandits()->active, 1);
  EXPECT_EQ(level->indigens[0]->active, 1);
  // Their timers ran out and restarted during the pause.
  EXPECT_GT(Bandits()->actionTime, arrived + 3000);
  EXPECT_GT(level->indigens[0]->actionTime, arrived);
  match->flags.gamePaused = 0;
  EXPECT_TRUE(RunUntil([this] { return match->run.iron == 700; }, 1600));
  EXPECT_TRUE(RunUntil([&] { return Kind(1, 1) == CellEmpty; }, 3100));
  EXPECT_EQ(level->indigens[0]->active, 0);
}

TEST_F(Hazards, AnIndigensEventWithoutAPieceOrAFreeRaiderDoesNothing) {
  Play(3);
  level->eventGenerator->indigensDue = 1;
  Step();
  EXPECT_EQ(ActiveCount(level->indigens), 0);
  level->SetCellKind(1, 1, PieceStraightNS);
  for (int i = 0; i < kIndigensPoolSize; ++i) level->indigens[i]->active = 1;
  level->eventGenerator->indigensDue = 1;
  Step();
  EXPECT_EQ(match->flags.gamePaused, 0);
  EXPECT_EQ(progress.indigensIntroShown, 0);
  // With one raider free they come, and their page shows the first time.
  level->indigens[2]->active = 0;
  level->eventGenerator->indigensDue = 1;
  Step();
  EXPECT_EQ(level->indigens[2]->active, 1);
  EXPECT_EQ(level->indigens[2]->x, 1);
  EXPECT_EQ(level->indigens[2]->y, 1);
  EXPECT_EQ(match->flags.gamePaused, 1);
  EXPECT_EQ(match->flags.tutorialPage, 10);
  EXPECT_EQ(progress.indigensIntroShown, 1);
}

TEST_F(Hazards, PickIndigensCellDrawsFromTheFinishedPiecesOnly) {
  Play(1);
  level->PickIndigensCell();
  EXPECT_EQ(level->indigensCellX, -1);
  // Column-major order: 1,1 (index 10), 5,0 (45), 12,8 (116); blocked and
  // empty cells never count.
  level->SetCellKind(12, 8, PieceCrossing);
  level->SetCellKind(5, 0, PieceStraightWE);
  level->SetCellKind(1, 1, PieceCurveWN);
  level->SetCellKind(3, 3, CellBlocked);
  const struct {
    std::uint32_t draw;
    int x, y;
  } picks[] = {{0, 1, 1}, {0x800000, 5, 0}, {0xFFFFFF, 12, 8}};
  for (const auto& pick : picks) {
    SetNextUnitDraw(match->random, pick.draw);
    level->PickIndigensCell();
    EXPECT_EQ(level->indigensCellX, pick.x) << pick.draw;
    EXPECT_EQ(level->indigensCellY, pick.y) << pick.draw;
  }
}

// Raiders are kept across a level start; on the new board they may sit on
// scenery, which they must not open up.
TEST_F(Hazards, RaidersOnSceneryLeaveItStanding) {
  Play(1);
  level->SpawnIndigens(2, 2);  // level 1's pond
  match->flags.gamePaused = match->flags.tutorialShowing = 0;
  Run(3100);
  EXPECT_EQ(level->indigens[0]->active, 0);
  EXPECT_EQ(Kind(2, 2), CellBlocked);
}

TEST_F(Hazards, LevelOneStaysQuietAndTheLastLevelsSeeBothEnemiesWithinAMinute) {
  Play(1);
  Run(400000);
  EXPECT_EQ(Bandits()->active, 0);
  EXPECT_EQ(ActiveCount(level->indigens), 0);
  Play(11);
  EXPECT_LE(level->eventGenerator->banditsPeriod, 59);
  EXPECT_LE(level->eventGenerator->indigensPeriod, 59);
  level->SetCellKind(12, 8, PieceStraightWE);
  bool banditsCame = false;
  bool raidersCame = false;
  EXPECT_TRUE(RunUntil(
      [&] {
        banditsCame = banditsCame || Bandits()->active == 1;
        raidersCame = raidersCame || ActiveCount(level->indigens) > 0;
        return banditsCame && raidersCame;
      },
      62000));
  EXPECT_EQ(match->flags.gamePaused, 0);  // their pages belong to the first levels only
}

}  // namespace
