// The train: its path geometry, where it goes over every piece, crashes,
// arrival, the tunnel jump and the departure countdown, on the fake clock.
#include <cmath>
#include <string>
#include <vector>

#include "tests/game/game_fixture.h"

namespace {

struct Point {
  float x, y;
};

// The sides a move code enters and leaves by (N 0, E 1, S 2, W 3).
constexpr int kEnters[13] = {-1, 0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3};
constexpr int kLeaves[13] = {-1, 3, 2, 1, 0, 3, 2, 1, 0, 3, 2, 1, 0};
constexpr int kDx[4] = {0, 1, 0, -1};
constexpr int kDy[4] = {-1, 0, 1, 0};
// Heading in degrees of a train leaving by each side (screen y grows down).
constexpr float kHeadingOut[4] = {-90.0f, 0.0f, 90.0f, 180.0f};
// A piece carrying each move code.
constexpr int kPieceFor[13] = {-1, 5, 1, 4, 4, 0, 2, 2, 1, 3, 3, 0, 5};

class TrainTest : public GameFixture {
 protected:
  // A level with no opening page, whose bandits' introduction page (which
  // pauses the game) counts as seen, so the countdown runs uninterrupted.
  void StartCountingDown() {
    StartLevel(3);
    progress.banditsIntroShown = 1;
  }

  // An empty board (every cell free) and a train standing still.
  void EmptyBoard() {
    StartLevel(1);
    for (int i = 0; i < kCellCount; ++i) level->cellKinds[i] = CellEmpty;
    level->startX = 0;
    level->startY = 4;
    match->flags.gamePaused = match->flags.tutorialShowing = 0;
  }

  Point PositionAt(int move, int cx, int cy, float p) {
    train->move = move;
    train->cellX = cx;
    train->cellY = cy;
    train->progress = p;
    train->UpdateTrainPosition();
    return {train->x, train->y};
  }

  // Sets the train running in (cx, cy) with the given move, half-way through.
  void Launch(int move, int cx, int cy, float progress = 0.5f) {
    train->PlaceTrain(cx, cy, 12, 0);
    train->move = move;
    train->progress = progress;
    match->run.trainRunning = 1;
    train->UpdateTrainPosition();
  }

  // Runs until the train stops or leaves a trail of `limit` cells.
  std::vector<std::pair<int, int>> Trail(int limit = 40) {
    std::vector<std::pair<int, int>> cells{{train->cellX, train->cellY}};
    for (int i = 0; i < 5000 && match->run.trainRunning && static_cast<int>(cells.size()) < limit; ++i) {
      Step();
      if (cells.back() != std::make_pair(train->cellX, train->cellY)) cells.push_back({train->cellX, train->cellY});
    }
    return cells;
  }

  std::string CaptureCrashOutput(int steps) {
    testing::internal::CaptureStdout();
    for (int i = 0; i < steps && match->run.trainRunning; ++i) Step();
    return testing::internal::GetCapturedStdout();
  }
};

TEST_F(TrainTest, EveryPathStartsAndEndsAtTheMidpointsOfItsSides) {
  const int cx = 6, cy = 4;
  const float left = CellLeft(cx), top = CellTop(cy);
  const Point mid[4] = {{left + 37, top}, {left + 74, top + 37}, {left + 37, top + 74}, {left, top + 37}};
  for (int move = 1; move <= 12; ++move) {
    SCOPED_TRACE("move " + std::to_string(move));
    const Point start = PositionAt(move, cx, cy, 0.0f);
    const Point end = PositionAt(move, cx, cy, 1.0f);
    EXPECT_NEAR(start.x, mid[kEnters[move]].x, 0.001f);
    EXPECT_NEAR(start.y, mid[kEnters[move]].y, 0.001f);
    EXPECT_NEAR(end.x, mid[kLeaves[move]].x, 0.001f);
    EXPECT_NEAR(end.y, mid[kLeaves[move]].y, 0.001f);
  }
}

TEST_F(TrainTest, JoinedCellsMeetWithoutAJump) {
  for (int move = 1; move <= 12; ++move) {
    for (int next = 1; next <= 12; ++next) {
      if (kEnters[next] != (kLeaves[move] + 2) % 4) continue;
      const Point end = PositionAt(move, 6, 4, 1.0f);
      const Point start = PositionAt(next, 6 + kDx[kLeaves[move]], 4 + kDy[kLeaves[move]], 0.0f);
      EXPECT_NEAR(end.x, start.x, 0.001f) << move << " then " << next;
      EXPECT_NEAR(end.y, start.y, 0.001f) << move << " then " << next;
    }
  }
}

TEST_F(TrainTest, EveryPieceCarriesTheTrainThroughInEveryDirectionItAllows) {
  for (int move = 1; move <= 12; ++move) {
    for (int kind : {kPieceFor[move], static_cast<int>(PieceCrossing)}) {
      // The crossing carries only the straight moves.
      if (kind == PieceCrossing && (move % 3) != 2) continue;
      SCOPED_TRACE("move " + std::to_string(move) + " on kind " + std::to_string(kind));
      EmptyBoard();
      const int in = kEnters[move], out = kLeaves[move];
      const int cx = 6, cy = 4;
      // A straight piece leads in, the piece under test, a straight piece out.
      const int bx = cx + kDx[in], by = cy + kDy[in];
      const int ax = cx + kDx[out], ay = cy + kDy[out];
      const int straightIn = in % 2 == 0 ? PieceStraightNS : PieceStraightWE;
      const int straightOut = out % 2 == 0 ? PieceStraightNS : PieceStraightWE;
      level->SetCellKind(bx, by, straightIn);
      level->SetCellKind(cx, cy, kind);
      level->SetCellKind(ax, ay, straightOut);
      const int approach = in == 0 ? 2 : in == 1 ? 5 : in == 2 ? 8 : 11;
      Launch(approach, bx, by);
      const auto cells = Trail(3);
      ASSERT_EQ(cells.size(), 3u);
      EXPECT_EQ(cells[1], std::make_pair(cx, cy));
      EXPECT_EQ(cells[2], std::make_pair(ax, ay));
      EXPECT_EQ(train->move, (straightOut == PieceStraightNS) ? (out == 0 ? 8 : 2) : (out == 1 ? 11 : 5));
      // The first step on the straight still spans the curve's end.
      Step();
      EXPECT_NEAR(train->heading, kHeadingOut[out], 0.01f);
    }
  }
}

TEST_F(TrainTest, CrashesAtEachEdgeOfTheBoard) {
  struct Case {
    int move, x, y;
  } cases[] = {{2, 5, 8}, {5, 0, 3}, {8, 5, 0}, {11, 12, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE("move " + std::to_string(c.move));
    EmptyBoard();
    level->SetCellKind(c.x, c.y, (c.move == 2 || c.move == 8) ? PieceStraightNS : PieceStraightWE);
    Launch(c.move, c.x, c.y, 0.5f);
    const std::string out = CaptureCrashOutput(40);
    EXPECT_EQ(out, "boom\n");
    EXPECT_EQ(match->run.trainCrashed, 1);
    EXPECT_EQ(match->run.trainRunning, 0);
    EXPECT_EQ(train->cellX, c.x);
    EXPECT_EQ(train->cellY, c.y);
    EXPECT_GT(train->progress, 0.75f);
    EXPECT_LT(train->progress, 1.0f);
  }
}

TEST_F(TrainTest, CrashesIntoEmptyBlockedAndWronglyTurnedCells) {
  for (int ahead : {CellEmpty, CellBlocked, static_cast<int>(PieceStraightNS), static_cast<int>(PieceCurveES)}) {
    SCOPED_TRACE("ahead " + std::to_string(ahead));
    EmptyBoard();
    level->SetCellKind(3, 4, PieceStraightWE);
    level->SetCellKind(4, 4, ahead);
    Launch(11, 3, 4);
    const int scoreBefore = match->run.levelScore;
    CaptureCrashOutput(60);
    EXPECT_EQ(match->run.trainCrashed, 1);
    EXPECT_EQ(train->explodeRequest, 0);  // the level step has started the explosion
    EXPECT_EQ(train->cellX, 3);
    EXPECT_EQ(match->run.levelScore, scoreBefore);
  }
}

TEST_F(TrainTest, NothingOnTheStartCellCrashesJustOutsideTheBoard) {
  StartLevel(1);
  match->flags.tutorialShowing = match->flags.gamePaused = 0;
  train->countdown = 299;
  testing::internal::CaptureStdout();
  Run(2000);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "boom\n");
  EXPECT_EQ(match->run.trainCrashed, 1);
  EXPECT_EQ(train->cellX, -1);
}

TEST_F(TrainTest, APieceRemovedBeforeTheLookAheadCrashesButNotAfterIt) {
  for (bool beforeLookAhead : {true, false}) {
    SCOPED_TRACE(beforeLookAhead ? "before" : "after");
    EmptyBoard();
    for (int x = 2; x <= 6; ++x) level->SetCellKind(x, 4, PieceStraightWE);
    Launch(11, 2, 4, 0.5f);
    const float removeAt = beforeLookAhead ? 0.7f : 0.8f;
    while (train->progress < removeAt) Step();
    level->SetCellKind(3, 4, CellEmpty);
    CaptureCrashOutput(60);
    if (beforeLookAhead) {
      EXPECT_EQ(match->run.trainCrashed, 1);
      EXPECT_EQ(train->cellX, 2);
    } else {
      // The move into the removed cell was chosen already; the next look-ahead
      // from there finds the straight beyond it.
      EXPECT_EQ(match->run.trainCrashed, 0);
      EXPECT_GE(train->cellX, 4);
    }
  }
}

TEST_F(TrainTest, ArrivesHalfWayThroughTheFinishWhateverLiesThere) {
  EmptyBoard();
  level->SetCellKind(10, 4, PieceStraightWE);
  level->SetCellKind(11, 4, PieceStraightWE);
  level->SetCellKind(12, 4, PieceCurveWN);
  train->PlaceTrain(10, 4, 12, 4);
  match->run.trainRunning = 1;
  const int score = match->run.levelScore;
  Trail();
  EXPECT_EQ(match->run.trainArrived, 1);
  EXPECT_EQ(match->run.trainCrashed, 0);
  EXPECT_EQ(train->cellX, 12);
  EXPECT_GE(train->progress, 0.5f);
  EXPECT_LT(train->progress, 0.6f);
  EXPECT_EQ(match->run.levelScore, score + 2 * kScorePerCell);
}

TEST_F(TrainTest, TunnelJumpsOutAlongTheExitsSide) {
  const int expectedMove[4] = {8, 11, 2, 5};
  for (int side = 0; side < 4; ++side) {
    SCOPED_TRACE("exit side " + std::to_string(side));
    EmptyBoard();
    level->SetTunnels(SideWest, side, 4, 4, 8, 2);
    level->SetCellKind(3, 4, PieceStraightWE);
    // Track out of the exit end, one cell along its side.
    const int ox = 8 + kDx[side], oy = 2 + kDy[side];
    level->SetCellKind(ox, oy, side % 2 == 0 ? PieceStraightNS : PieceStraightWE);
    Launch(11, 3, 4);
    while (train->cellX != 8 && match->run.trainRunning) Step();
    ASSERT_EQ(train->cellX, 8);
    EXPECT_EQ(train->cellY, 2);
    EXPECT_EQ(train->move, expectedMove[side]);
    EXPECT_FLOAT_EQ(train->progress, 0.5f);
    // The first heading after the jump points along the jump, the next one
    // out of the exit end.
    const float entranceX = train->x, entranceY = train->y;
    Step();
    const float jump = std::atan2(train->y - entranceY, train->x - entranceX) * 57.29578f;
    EXPECT_NEAR(train->heading, jump, 0.01f);
    EXPECT_NE(std::lround(train->heading), std::lround(kHeadingOut[side]));
    Step();
    EXPECT_NEAR(train->heading, kHeadingOut[side], 0.01f);
    while (match->run.trainRunning && train->cellX == 8 && train->cellY == 2) Step();
    EXPECT_EQ(train->cellX, ox);
    EXPECT_EQ(train->cellY, oy);
  }
}

TEST_F(TrainTest, LeavesOnItsOwnAfterThreeHundredSeconds) {
  StartCountingDown();
  Run(299 * 1000);
  EXPECT_EQ(match->run.trainRunning, 0);
  EXPECT_LE(train->countdown, 299);
  while (train->countdown < kDepartureSeconds) Step();
  EXPECT_EQ(match->run.trainRunning, 1);
  EXPECT_EQ(match->run.trainRunning, 1);
  EXPECT_EQ(match->run.departSecondsLeft, -1);
  // The placement keeps the last tick's time, so the first tick comes with the
  // first update and the three hundredth 299 seconds later.
  EXPECT_GE(clockMs - 1000, 299 * 1000);
  EXPECT_LT(clockMs - 1000, 299 * 1000 + 1100);
}

TEST_F(TrainTest, ASendOffWaitsForTheNextWholeSecondTick) {
  StartCountingDown();
  Run(3000);
  // Stop right after a tick.
  const int ticks = train->countdown;
  while (train->countdown == ticks) Step();
  const int tickTime = clockMs;
  Run(200);
  match->run.departNow = 1;
  while (!match->run.trainRunning) Step();
  EXPECT_GE(clockMs - tickTime, 1000);
  EXPECT_LT(clockMs - tickTime, 1034);
  EXPECT_EQ(train->countdown, kDepartureSeconds);
  EXPECT_EQ(match->run.departNow, 0);
}

TEST_F(TrainTest, StandsStillWhilePaused) {
  EmptyBoard();
  for (int x = 0; x < 13; ++x) level->SetCellKind(x, 4, PieceStraightWE);
  Launch(11, 2, 4);
  Run(500);
  const float x = train->x, progress = train->progress;
  const int countdown = train->countdown;
  match->flags.gamePaused = 1;
  Run(5000);
  EXPECT_EQ(train->x, x);
  EXPECT_EQ(train->progress, progress);
  EXPECT_EQ(train->countdown, countdown);
  match->flags.gamePaused = 0;
  Step();
  EXPECT_GT(train->x, x);
}

TEST_F(TrainTest, ALongStallMovesTheTrainProportionallyFurther) {
  EmptyBoard();
  for (int x = 0; x < 13; ++x) level->SetCellKind(x, 4, PieceStraightWE);
  Launch(11, 2, 4, 0.0f);
  Step(33);
  const float normal = train->x;
  Launch(11, 2, 4, 0.0f);
  Step(330);
  const float start = CellLeft(2);
  EXPECT_NEAR(train->x - start, 10.0f * (normal - start), 0.5f);
}

}  // namespace
