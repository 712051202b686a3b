// The fifteen layouts: their contents against counts taken from the level
// designs, whole boards against text written by hand, the ground's seed and
// the level-start resets.
#include <string>

#include "game/session/print_level.h"
#include "tests/game/game_fixture.h"

namespace {

template <class T>
int ActiveCount(const Array<T*>& pool) {
  int n = 0;
  for (int i = 0; i < pool.Length(); ++i) n += pool[i]->active;
  return n;
}

struct ExpectedLevel {
  int scenery, stones, gold;
  int iron, mineReserve;  // 0 reserve: no mine
  int startX, startY, finishX, finishY;
  bool tunnels;
};

// Counted from the level designs, not from the game's table.
const ExpectedLevel kExpected[15] = {
    {3, 0, 0, 2000, 0, 0, 4, 12, 4, false},      {4, 0, 2, 500, 2000, 0, 7, 12, 2, false},
    {18, 0, 2, 800, 2200, 0, 4, 12, 2, false},   {33, 3, 2, 800, 3200, 0, 4, 12, 5, false},
    {30, 5, 5, 700, 3500, 0, 1, 12, 2, false},   {21, 10, 4, 700, 3800, 0, 4, 12, 1, true},
    {24, 6, 5, 500, 3000, 0, 3, 12, 4, true},    {33, 8, 6, 500, 4500, 0, 1, 12, 5, true},
    {36, 8, 5, 500, 4500, 0, 5, 12, 5, false},   {29, 11, 5, 500, 5000, 0, 6, 12, 2, true},
    {24, 10, 5, 800, 5000, 0, 0, 12, 3, false},  {25, 13, 5, 500, 6000, 0, 0, 12, 5, true},
    {33, 15, 5, 500, 6000, 0, 8, 12, 4, false},  {21, 19, 5, 500, 6000, 0, 0, 12, 4, true},
    {27, 17, 11, 500, 6000, 0, 8, 12, 5, false},
};

class LayoutTest : public GameFixture {};

TEST_F(LayoutTest, EveryLevelHoldsWhatItsDesignLists) {
  for (int n = 1; n <= 15; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    const ExpectedLevel& e = kExpected[n - 1];
    StartLevel(n);
    EXPECT_EQ(ActiveCount(level->buildings), e.scenery);
    EXPECT_EQ(ActiveCount(level->blockTiles), e.stones);
    EXPECT_EQ(ActiveCount(level->golds), e.gold);
    EXPECT_EQ(match->run.iron, e.iron);
    EXPECT_EQ(level->mine->active, e.mineReserve > 0 ? 1 : 0);
    if (e.mineReserve > 0) {
      EXPECT_EQ(level->mine->reserve, e.mineReserve);
    }
    EXPECT_EQ(level->mine->workers, 0);
    EXPECT_EQ(level->tunnels[0]->active, e.tunnels ? 1 : 0);
    EXPECT_EQ(level->tunnels[1]->active, e.tunnels ? 1 : 0);
    EXPECT_EQ(level->startX, e.startX);
    EXPECT_EQ(level->startY, e.startY);
    EXPECT_EQ(level->finishX, e.finishX);
    EXPECT_EQ(level->finishY, e.finishY);
    // Start and finish are always open, and the train waits left of the start.
    EXPECT_NE(level->CellKind(e.startX, e.startY), CellBlocked);
    EXPECT_NE(level->CellKind(e.finishX, e.finishY), CellBlocked);
    EXPECT_EQ(train->cellX, e.startX - 1);
    EXPECT_EQ(train->cellY, e.startY);
  }
}

TEST_F(LayoutTest, PrintedBoardsMatchTheDesigns) {
  EXPECT_EQ(PrintLevelText(1),
            ".............\n"
            ".............\n"
            "..#..........\n"
            ".............\n"
            "S.....##.##.F\n"
            "......##.##..\n"
            ".............\n"
            ".............\n"
            ".............\n");
  EXPECT_EQ(PrintLevelText(6),
            "..#.....##...\n"
            "..#..o$###..F\n"
            ".##.o#o#.....\n"
            "..#.T#o#To.#.\n"
            "S.####o#.....\n"
            "........##MM.\n"
            "...##o.o##MM.\n"
            ".####o#o####.\n"
            ".####$$$####.\n");
  EXPECT_EQ(PrintLevelText(0), "");
  EXPECT_EQ(PrintLevelText(16), "");
}

TEST_F(LayoutTest, TunnelEndsCarryStraightPiecesAlongTheirSides) {
  StartLevel(12);  // south end at 5,3, east end at 9,5
  EXPECT_EQ(level->CellKind(5, 3), PieceStraightNS);
  EXPECT_EQ(level->CellKind(9, 5), PieceStraightWE);
  StartLevel(6);  // west end at 4,3, east end at 8,3
  EXPECT_EQ(level->CellKind(4, 3), PieceStraightWE);
  EXPECT_EQ(level->CellKind(8, 3), PieceStraightWE);
}

TEST_F(LayoutTest, GroundRepeatsWithinASecondAndChangesOnlyTheGroundLater) {
  StartLevel(9);
  const Array<int> firstGround = level->groundVariants.Copy();
  const Array<int> firstKinds = level->cellKinds.Copy();
  const std::string firstBoard = BoardText(level);
  StartLevel(9);
  int same = 0;
  for (int i = 0; i < kCellCount; ++i) same += level->groundVariants[i] == firstGround[i];
  EXPECT_EQ(same, kCellCount);

  fixtureCalendarSeconds += 1;
  StartLevel(9);
  int changed = 0;
  for (int i = 0; i < kCellCount; ++i) {
    changed += level->groundVariants[i] != firstGround[i];
    EXPECT_EQ(level->cellKinds[i], firstKinds[i]);
    EXPECT_GE(level->groundVariants[i], 0);
    EXPECT_LT(level->groundVariants[i], kGroundVariants);
  }
  EXPECT_GT(changed, 20);
  EXPECT_EQ(BoardText(level), firstBoard);
}

TEST_F(LayoutTest, ALevelStartResetsTheLevelsEconomy) {
  StartLevel(3, 7);
  match->run.iron = 12;
  match->run.freeWorkers = 0;
  match->run.levelScore = match->run.levelGold = 999;
  match->run.selectedPiece = 4;
  match->run.departNow = 1;
  StartLevel(3, 7);
  EXPECT_EQ(match->run.iron, 800);
  EXPECT_EQ(match->run.freeWorkers, 7);
  EXPECT_EQ(match->run.levelScore, 0);
  EXPECT_EQ(match->run.levelGold, 0);
  EXPECT_EQ(match->run.selectedPiece, -1);
  EXPECT_EQ(match->run.departNow, 0);
  for (int i = 0; i < kRailTilePoolSize; ++i) EXPECT_EQ(level->railTiles[i]->active, 0);
}

TEST_F(LayoutTest, TutorialsOpenOnTheirLevelsOnly) {
  const int firstPages[15] = {0, 6, -1, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  for (int n = 1; n <= 15; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    match->flags.tutorialShowing = match->flags.gamePaused = 0;
    match->flags.tutorialPage = 42;
    StartLevel(n);
    if (firstPages[n - 1] < 0) {
      EXPECT_EQ(match->flags.tutorialShowing, 0);
      EXPECT_EQ(match->flags.tutorialPage, 42);
    } else {
      EXPECT_EQ(match->flags.tutorialShowing, 1);
      EXPECT_EQ(match->flags.gamePaused, 1);
      EXPECT_EQ(match->flags.tutorialPage, firstPages[n - 1]);
    }
  }
}

TEST_F(LayoutTest, EachEnemysIntroductionWaitsForItsFirstLevel) {
  StartLevel(3);
  EXPECT_EQ(progress.banditsIntroShown, 0);
  EXPECT_EQ(progress.indigensIntroShown, 0);
  StartLevel(4);
  EXPECT_EQ(progress.banditsIntroShown, 1);  // bandits came in level 3
  EXPECT_EQ(progress.indigensIntroShown, 0);  // raiders first come here
  StartLevel(5);
  EXPECT_EQ(progress.indigensIntroShown, 1);
}

}  // namespace
