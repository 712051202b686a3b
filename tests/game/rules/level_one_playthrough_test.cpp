// Level 1 played as a player would: order the pieces of a route around the
// mountain and the big pond as workers come free, send the train off, and
// watch it arrive.
#include "game/rules/economy.h"
#include "tests/game/level_play.h"

namespace {

struct RoutePiece {
  int x, y, kind;
};

// From the start 0,4 east to 5,4, up to row 3 past the mountain (6..7,4..5)
// and the pond (9..10,4..5), and back down to the finish 12,4.
const RoutePiece kRoute[] = {
    {0, 4, PieceStraightWE}, {1, 4, PieceStraightWE}, {2, 4, PieceStraightWE}, {3, 4, PieceStraightWE},
    {4, 4, PieceStraightWE}, {5, 4, PieceCurveWN},    {5, 3, PieceCurveES},    {6, 3, PieceStraightWE},
    {7, 3, PieceStraightWE}, {8, 3, PieceStraightWE}, {9, 3, PieceStraightWE}, {10, 3, PieceStraightWE},
    {11, 3, PieceCurveWS},   {11, 4, PieceCurveEN},   {12, 4, PieceStraightWE},
};

using LevelOne = LevelPlay;

TEST_F(LevelOne, ARealRouteOrderedPieceByPieceBringsTheTrainHome) {
  Play(1);
  int cost = 0;
  for (const RoutePiece& piece : kRoute) {
    // Wait for a worker to come back when all five are busy.
    ASSERT_TRUE(RunUntil([this] { return match->run.freeWorkers > 0; }, 5100));
    Use(piece.kind, piece.x, piece.y);
    ASSERT_EQ(Kind(piece.x, piece.y), CellBlocked) << piece.x << "," << piece.y;
    cost += PieceCost(piece.kind);
  }
  EXPECT_EQ(match->run.iron, 2000 - cost);
  ASSERT_TRUE(RunUntil([this] { return match->run.freeWorkers == 5; }, 5100));
  for (const RoutePiece& piece : kRoute) EXPECT_EQ(Kind(piece.x, piece.y), piece.kind);
  EXPECT_EQ(match->run.trainRunning, 0);

  match->run.departNow = 1;
  ASSERT_TRUE(RunUntil([this] { return match->run.trainArrived == 1 || match->run.trainCrashed == 1; }, 60000));
  EXPECT_EQ(match->run.trainArrived, 1);
  EXPECT_EQ(match->run.trainCrashed, 0);
  EXPECT_EQ(train->cellX, 12);
  EXPECT_EQ(train->cellY, 4);
  // One hundred for each cell entered, from the start cell to the finish.
  EXPECT_EQ(match->run.levelScore, 100 * static_cast<int>(std::size(kRoute)));
}

}  // namespace
