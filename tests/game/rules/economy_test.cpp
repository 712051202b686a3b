// Orders, workers, jobs, stones, the mine and gold on real level layouts,
// driven by clicks and the fake clock.
#include "game/rules/economy.h"

#include "tests/game/level_play.h"

namespace {

using Economy = LevelPlay;

int ActiveJobs(c_cLevel* level) {
  int n = 0;
  for (int i = 0; i < level->railTiles.Length(); ++i) n += level->railTiles[i]->active;
  return n;
}

int ActiveExplosions(c_cLevel* level) {
  int n = 0;
  for (int i = 0; i < level->explosions.Length(); ++i) n += level->explosions[i]->active;
  return n;
}

TEST_F(Economy, AnOrderTakesItsCostAndAWorkerAndBlocksTheCell) {
  Play(1);
  match->run.iron = 150;  // exactly the price of a curve
  Use(PieceCurveES, 1, 1);
  EXPECT_EQ(match->run.iron, 0);
  EXPECT_EQ(match->run.freeWorkers, 4);
  EXPECT_EQ(Kind(1, 1), CellBlocked);
  EXPECT_EQ(Texts(), std::vector<std::string>{"1:-150@105,105"});
  const c_cRailTile* job = level->railTiles[0];
  EXPECT_EQ(job->active, 1);
  EXPECT_EQ(job->kind, PieceCurveES);
  EXPECT_EQ(job->x, 1);
  EXPECT_EQ(job->y, 1);
  // The palette keeps its piece for the next order; this one is 1 iron short.
  EXPECT_EQ(match->run.selectedPiece, PieceCurveES);
  match->run.iron = 149;
  ClickCell(3, 3);
  EXPECT_EQ(match->run.iron, 149);
  EXPECT_EQ(Kind(3, 3), CellEmpty);
  EXPECT_EQ(match->run.freeWorkers, 4);
}

TEST_F(Economy, EachPieceKindCostsItsPrice) {
  Play(1);
  const int prices[kPieceKindCount] = {100, 100, 150, 150, 150, 150, 200};
  for (int kind = 0; kind < kPieceKindCount; ++kind) {
    match->run.iron = 1000;
    Use(kind, kind, 0);
    EXPECT_EQ(1000 - match->run.iron, prices[kind]) << "kind " << kind;
    match->run.freeWorkers = 5;
  }
}

TEST_F(Economy, RefusedOrdersTakeNothing) {
  Play(1);
  auto expectUntouched = [&](const char* what) {
    EXPECT_EQ(match->run.iron, 2000) << what;
    EXPECT_EQ(match->run.freeWorkers, 5) << what;
    EXPECT_EQ(ActiveJobs(level), 0) << what;
    EXPECT_TRUE(Texts().empty()) << what;
  };
  Use(PieceStraightWE, 2, 2);  // the pond
  expectUntouched("occupied cell");
  match->run.selectedPiece = PieceStraightWE;
  ClickBoard(31, 300);
  ClickBoard(993, 300);
  ClickBoard(300, 697.5f);
  expectUntouched("outside the board");
  Use(-1, 1, 1);
  expectUntouched("nothing selected");
  for (int* flag : {&match->run.trainRunning, &match->run.trainArrived, &match->run.trainCrashed}) {
    *flag = 1;
    Use(PieceStraightWE, 1, 1);
    *flag = 0;
  }
  expectUntouched("train gone");
  match->run.freeWorkers = 0;
  Use(PieceStraightWE, 1, 1);
  match->run.freeWorkers = 5;
  expectUntouched("no worker, no mine");
  EXPECT_EQ(Kind(1, 1), CellEmpty);
}

TEST_F(Economy, AnOrderWithNoIdleWorkerTakesOneOutOfTheMine) {
  Play(3, 2);
  ClickCell(9, 7);
  ClickCell(10, 8);
  ASSERT_EQ(Mine()->workers, 2);
  ASSERT_EQ(match->run.freeWorkers, 0);
  Use(PieceStraightWE, 1, 1);
  EXPECT_EQ(Mine()->workers, 1);
  EXPECT_EQ(match->run.iron, 700);
  Run(5100);
  // One payout of the one worker left inside; the piece's worker comes back idle.
  EXPECT_EQ(match->run.iron, 725);
  EXPECT_EQ(Kind(1, 1), PieceStraightWE);
  EXPECT_EQ(match->run.freeWorkers, 1);
  EXPECT_EQ(Mine()->workers, 1);
}

// More workers than job entries (possible only from a damaged save): the
// order that finds no free entry is refused, not paid for.
TEST_F(Economy, AnOrderWithNoFreeJobEntryIsRefused) {
  Play(1, 25);
  match->run.iron = 5000;
  for (int i = 0; i < kRailTilePoolSize; ++i) Use(PieceStraightWE, i % kColumns, i / kColumns);
  ASSERT_EQ(ActiveJobs(level), kRailTilePoolSize);
  const int ironBefore = match->run.iron;
  Use(PieceStraightWE, 0, 7);
  EXPECT_EQ(match->run.iron, ironBefore);
  EXPECT_EQ(match->run.freeWorkers, 5);
  EXPECT_EQ(Kind(0, 7), CellEmpty);
}

TEST_F(Economy, APieceTakesFiveSecondsOfUnpausedTime) {
  Play(1);
  const int ordered = clockMs;
  Use(PieceCurveWN, 1, 1);
  while (clockMs - ordered < 4950) Step();
  EXPECT_EQ(Kind(1, 1), CellBlocked);
  match->flags.gamePaused = 1;
  Run(3000);
  EXPECT_EQ(Kind(1, 1), CellBlocked);
  EXPECT_LT(level->railTiles[0]->progress, 100.0f);
  match->flags.gamePaused = 0;
  Run(100);
  EXPECT_EQ(Kind(1, 1), PieceCurveWN);
  EXPECT_EQ(match->run.freeWorkers, 5);
  EXPECT_EQ(ActiveJobs(level), 0);
}

TEST_F(Economy, DemolitionIsFreeAndHitsOnlyFinishedPieces) {
  Play(1);
  Use(PieceStraightWE, 1, 4);
  Use(PieceDemolish, 1, 4);  // still under construction
  Use(PieceDemolish, 3, 3);  // nothing there
  EXPECT_EQ(Kind(1, 4), CellBlocked);
  EXPECT_EQ(ActiveExplosions(level), 0);
  Run(5100);
  match->run.trainRunning = 1;
  const int ironBefore = match->run.iron;
  Use(PieceDemolish, 1, 4);
  EXPECT_EQ(Kind(1, 4), CellEmpty);
  EXPECT_EQ(match->run.iron, ironBefore);
  EXPECT_EQ(match->run.freeWorkers, 5);
  ASSERT_EQ(ActiveExplosions(level), 1);
  EXPECT_EQ(level->explosions[0]->x, 142);
  EXPECT_EQ(level->explosions[0]->y, 364);
}

TEST_F(Economy, StonesTakeAWorkerForFifteenSeconds) {
  Play(4);
  Use(PieceStraightWE, 3, 7);
  EXPECT_EQ(match->run.selectedPiece, -1);
  EXPECT_EQ(match->run.freeWorkers, 4);
  // A second click on stones already being cleared orders nothing there.
  Use(PieceStraightWE, 3, 7);
  EXPECT_EQ(match->run.freeWorkers, 4);
  EXPECT_EQ(match->run.iron, 800);
  Run(14900);
  EXPECT_EQ(Kind(3, 7), CellBlocked);
  Run(200);
  EXPECT_EQ(Kind(3, 7), CellEmpty);
  EXPECT_EQ(match->run.freeWorkers, 5);
  // With nobody to send, a click on stones only clears the selection.
  match->run.freeWorkers = 0;
  Use(PieceStraightWE, 4, 6);
  EXPECT_EQ(match->run.selectedPiece, -1);
  EXPECT_EQ(level->blockTiles[1]->removing, 0);
}

TEST_F(Economy, AClickOnTheMineSendsAWorkerInAndClearsTheSelection) {
  Play(3, 1);
  Step();
  Use(PieceCurveES, 10, 8);
  EXPECT_EQ(match->run.selectedPiece, -1);
  EXPECT_EQ(Mine()->workers, 1);
  EXPECT_EQ(match->run.freeWorkers, 0);
  EXPECT_EQ(level->lastMinePayout, static_cast<float>(clockMs));
  // Nobody left to send: nothing changes, not even the payout clock.
  Step();
  ClickCell(9, 7);
  EXPECT_EQ(Mine()->workers, 1);
  EXPECT_EQ(level->lastMinePayout, static_cast<float>(clockMs - 33));
}

TEST_F(Economy, AMineRunsDryThenSaysNoMoreIron) {
  Play(3);
  for (int i = 0; i < 3; ++i) ClickCell(9, 7);
  Mine()->reserve = 60;
  ASSERT_TRUE(RunUntil([this] { return match->run.iron != 800; }, 5100));
  EXPECT_EQ(match->run.iron, 860);
  EXPECT_EQ(Mine()->reserve, 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"0:+60@771,623"});
  ASSERT_TRUE(RunUntil([&] { return !Texts().empty() && Texts().back()[0] == '2'; }, 5100));
  EXPECT_EQ(Texts().back(), "2:No more Iron.@771,623");
  EXPECT_EQ(match->run.iron, 860);
  EXPECT_EQ(Mine()->workers, 3);
}

TEST_F(Economy, EveryWorkerGoingInRestartsThePayoutClock) {
  Play(3);
  for (int i = 0; i < 4; ++i) {
    ClickCell(9, 7);
    Run(4000);
  }
  // The last one went in 4 s ago: still nothing paid.
  EXPECT_EQ(match->run.iron, 800);
  ASSERT_TRUE(RunUntil([this] { return match->run.iron != 800; }, 1100));
  EXPECT_EQ(match->run.iron, 900);
}

TEST_F(Economy, APayoutTickInAPausePassesWithoutPaying) {
  Play(3);
  ClickCell(9, 7);
  Run(4500);
  match->flags.gamePaused = 1;
  Run(1000);
  match->flags.gamePaused = 0;
  Run(3900);
  EXPECT_EQ(match->run.iron, 800);
  ASSERT_TRUE(RunUntil([this] { return match->run.iron != 800; }, 1100));
  EXPECT_EQ(match->run.iron, 825);
}

TEST_F(Economy, GoldIsPickedUpHalfWayThroughTheTrainsCell) {
  Play(3);
  train->cellX = 7;
  train->cellY = 7;
  train->progress = 0.49f;
  level->CollectGold(train);
  EXPECT_EQ(match->run.levelGold, 0);
  train->progress = 0.5f;
  level->CollectGold(train);
  EXPECT_EQ(match->run.levelScore, 300);
  EXPECT_EQ(match->run.levelGold, 100);
  EXPECT_EQ(Texts(), std::vector<std::string>{"0:+100@549,549"});
  EXPECT_EQ(level->golds[1]->active, 1);  // the nugget next door stays
}

// Level 6's tunnel runs from 4,3 to 8,3; a nugget on the exit end is picked
// up by a train that never rolled over the cells between.
TEST_F(Economy, GoldIsPickedUpOnACellReachedThroughATunnel) {
  Play(6);
  level->AddGold(8, 3);
  level->SetCellKind(3, 3, PieceStraightWE);
  train->PlaceTrain(3, 3, level->finishX, level->finishY);
  match->run.trainRunning = 1;
  ASSERT_TRUE(RunUntil([&] { return train->cellX == 8 && train->progress > 0.5f; }, 10000));
  EXPECT_EQ(match->run.levelGold, 100);
  EXPECT_GE(match->run.levelScore, 300);
}

}  // namespace
