// A match as an object of its own: StartMatch lays out any layout on it, two
// matches run side by side without touching each other, and the fifteen
// levels start through the same routine. Nothing here needs the game state
// beyond the rules version and the progress a match is pointed at.
#include <gtest/gtest.h>

#include <string>

#include "game/rules/layouts.h"
#include "game/rules/match.h"
#include "game/rules/play_step.h"
#include "game/rules/economy.h"
#include "tests/game/rules_version_scope.h"

namespace {

gc_global<Match*> firstMatch;
gc_global<Match*> secondMatch;

std::int64_t SecondA() { return 1700000000; }
std::int64_t SecondB() { return 1700000001; }

// Level 1's layout moved about: not one of the fifteen.
LevelLayout MovedLevelOne() {
  LevelLayout l = LevelLayoutOf(1);
  l.start = {0, 2};
  l.finish = {12, 7};
  l.iron = 1234;
  l.hasMine = true;
  l.mineReserve = 900;
  l.mine = {4, 6};
  l.stones = {{1, 1}};
  l.gold = {{3, 2}};
  l.firstTutorialPage = kNoTutorial;
  return l;
}

class MatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a = new Match();
    firstMatch = a;
    a->calendar = SecondA;
    a->player = &progress;
    b = new Match();
    secondMatch = b;
    b->calendar = SecondA;
    b->player = &progress;
  }
  void TearDown() override {
    firstMatch = nullptr;
    secondMatch = nullptr;
  }
  static MatchStart Start(int number, int workers = kNewGameWorkers, bool retry = false) {
    MatchStart s;
    s.levelNumber = number;
    s.workers = workers;
    s.retry = retry;
    return s;
  }
  Progress progress;
  Match* a = nullptr;
  Match* b = nullptr;
};

TEST_F(MatchTest, AnyLayoutIsLaidOutWithItsCellsItsEconomyAndTheTrainLeftOfItsStart) {
  const LevelLayout layout = MovedLevelOne();
  StartMatch(*a, layout, Start(0, 7));
  const c_cLevel& board = *a->board;
  EXPECT_EQ(board.startX, 0);
  EXPECT_EQ(board.startY, 2);
  EXPECT_EQ(board.finishX, 12);
  EXPECT_EQ(board.finishY, 7);
  const std::string text = BoardText(a->board);
  EXPECT_EQ(text[2 * 14 + 0], 'S') << text;
  EXPECT_EQ(text[2 * 14 + 3], '$');
  EXPECT_EQ(text[1 * 14 + 1], 'o');
  EXPECT_EQ(text[6 * 14 + 4], 'M');
  EXPECT_EQ(text[7 * 14 + 12], 'F');
  EXPECT_EQ(a->run.levelNumber, 0);
  EXPECT_EQ(a->run.iron, 1234);
  EXPECT_EQ(a->run.ownedWorkers, 7);
  EXPECT_EQ(a->run.freeWorkers, 7);
  EXPECT_EQ(a->board->mine->reserve, 900);
  EXPECT_EQ(a->layout.iron, 1234);
  EXPECT_EQ(a->layout.start.y, 2);
  EXPECT_EQ(a->train->cellX, -1);
  EXPECT_EQ(a->train->cellY, 2);
  EXPECT_EQ(a->train->finishX, 12);
  EXPECT_EQ(a->train->finishY, 7);
  EXPECT_EQ(a->flags.tutorialShowing, 0);
}

// The ground comes from the match's calendar second: the same second lays
// the same ground, another second another one; the contents stay.
TEST_F(MatchTest, TheGroundFollowsTheMatchsOwnCalendar) {
  struct Case {
    const char* name;
    CalendarSource second;
    bool sameGround;
  };
  for (const Case c : {Case{"same second", SecondA, true}, Case{"next second", SecondB, false}}) {
    SCOPED_TRACE(c.name);
    b->calendar = c.second;
    StartMatch(*a, LevelLayoutOf(4), Start(4));
    StartMatch(*b, LevelLayoutOf(4), Start(4));
    bool same = true;
    for (int i = 0; i < kCellCount; ++i) same = same && a->board->groundVariants[i] == b->board->groundVariants[i];
    EXPECT_EQ(same, c.sameGround);
    EXPECT_EQ(BoardText(a->board), BoardText(b->board));
  }
}

// A retry of the level just played skips its pages under the mended rules;
// the first rules showed them again.
TEST_F(MatchTest, ARetrySkipsTheTutorialOnlyUnderTheMendedRules) {
  struct Case {
    int rules;
    bool retry;
    int showing;
  };
  for (const Case c : {Case{2, false, 1}, Case{2, true, 0}, Case{1, false, 1}, Case{1, true, 1}}) {
    SCOPED_TRACE("rules " + std::to_string(c.rules) + (c.retry ? " retry" : " first start"));
    RulesVersionScope rules(c.rules);
    a->flags = ScreenFlags{};
    StartMatch(*a, LevelLayoutOf(1), Start(1, kNewGameWorkers, c.retry));
    EXPECT_EQ(a->flags.tutorialShowing, c.showing);
    EXPECT_EQ(a->flags.gamePaused, c.showing);
    if (c.showing == 1) EXPECT_EQ(a->flags.tutorialPage, 0);
  }
}

// Under the first rules a level start kept the last run's enemies on the
// board; the mended rules clear them. The match is what carries them over.
TEST_F(MatchTest, TheLastRunsEnemiesStayOnTheSameMatchOnlyUnderTheFirstRules) {
  for (const int rules : {1, 2}) {
    SCOPED_TRACE(rules);
    RulesVersionScope version(rules);
    StartMatch(*a, LevelLayoutOf(3), Start(3));
    a->board->SpawnBandits();
    ASSERT_EQ(a->board->bandits[0]->active, 1);
    StartMatch(*a, LevelLayoutOf(3), Start(3, kNewGameWorkers, true));
    EXPECT_EQ(a->board->bandits[0]->active, rules == 1 ? 1 : 0);
  }
}

// Acting on one match leaves the other as it was: its run, its flags, its
// clock, its generator and its board.
TEST_F(MatchTest, TwoMatchesPlaySideBySideWithoutTouchingEachOther) {
  StartMatch(*a, LevelLayoutOf(1), Start(1));
  StartMatch(*b, LevelLayoutOf(1), Start(1));
  for (Match* m : {a, b}) m->flags = ScreenFlags{};
  const std::string boardBefore = BoardText(b->board);
  const std::uint32_t seedBefore = b->random.seed;
  a->run.selectedPiece = PieceStraightWE;
  a->board->ClickBoard(static_cast<float>(CellCentre(0)), static_cast<float>(CellCentre(4)));
  ASSERT_EQ(a->run.iron, 2000 - kStraightCost);
  ASSERT_EQ(a->board->CellKind(0, 4), CellBlocked);
  a->board->AddExplosion(100, 100);
  SendTrainOff(a->run);
  for (int ms = 0; ms < 6000; ms += 33) {
    a->clock.lastMillisecs += 33;
    a->clock.timeFactor = 1.0f;
    RunLevelStep(*a);
  }
  EXPECT_EQ(a->board->CellKind(0, 4), PieceStraightWE);
  EXPECT_EQ(b->run.iron, 2000);
  EXPECT_EQ(b->run.freeWorkers, kNewGameWorkers);
  EXPECT_EQ(b->run.departNow, 0);
  EXPECT_EQ(b->run.levelScore, 0);
  EXPECT_EQ(b->run.selectedPiece, -1);
  EXPECT_EQ(b->clock.lastMillisecs, 0);
  EXPECT_EQ(b->random.seed, seedBefore);
  EXPECT_EQ(BoardText(b->board), boardBefore);
  EXPECT_EQ(b->board->CellKind(0, 4), CellEmpty);
  EXPECT_EQ(b->board->explosions[0]->active, 0);
}

// The enemies' pages a match shows count as shown in the progress it is
// pointed at, and nowhere else.
TEST_F(MatchTest, TheIntroductionPagesAreMarkedInTheMatchsOwnProgress) {
  Progress other;
  b->player = &other;
  StartMatch(*a, LevelLayoutOf(3), Start(3));
  StartMatch(*b, LevelLayoutOf(3), Start(3));
  b->flags = ScreenFlags{};
  b->board->SpawnBandits();
  EXPECT_EQ(other.banditsIntroShown, 1);
  EXPECT_EQ(b->flags.tutorialShowing, 1);
  EXPECT_EQ(progress.banditsIntroShown, 0);
  // From level 5 on a start marks both pages shown.
  StartMatch(*a, LevelLayoutOf(5), Start(5));
  EXPECT_EQ(progress.banditsIntroShown, 1);
  EXPECT_EQ(progress.indigensIntroShown, 1);
}

// LayOutLevel is StartMatch with the table's row: every level starts alike.
TEST_F(MatchTest, EveryLevelOfTheTableStartsAsItsLayoutDoes) {
  gameState.progress.ownedWorkers = 6;
  for (int n = 1; n <= kLevelCount; ++n) {
    SCOPED_TRACE(n);
    a->player = &gameState.progress;
    LayOutLevel(*a, n, false);
    StartMatch(*b, LevelLayoutOf(n), Start(n, 6));
    EXPECT_EQ(BoardText(a->board), BoardText(b->board));
    EXPECT_EQ(a->run.levelNumber, n);
    EXPECT_EQ(a->run.iron, b->run.iron);
    EXPECT_EQ(a->run.freeWorkers, 6);
    EXPECT_EQ(a->train->cellX, b->train->cellX);
    EXPECT_EQ(a->train->cellY, b->train->cellY);
  }
  gameState.progress = Progress{};
}

}  // namespace
