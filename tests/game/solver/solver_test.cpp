// The solver checked by play: every level's schedule is clicked through the
// game's own rules on the fake clock, enemies chased off as they come, and the
// train must arrive. Also the solver's reading of the boards against the game's
// own layout, and the constraints it names when a level cannot be won.
#include <algorithm>
#include <string>

#include "game/session/print_level.h"
#include "tests/game/game_fixture.h"
#include "game/solver/solution.h"
#include "game/solver/solution_text.h"

namespace {

// Past the countdown and the longest ride over the board.
constexpr int kPlayLimitMs = 480000;
// A click of the schedule must land in the first update at or after its time:
// the plan's beats leave room for the game's update rhythm.
constexpr int kUpdateMs = 34;
constexpr int kCountdownTickMs = 1000;
// The event kind that brings enemies every 31 to 59 seconds.
constexpr int kBusiestEvents = 3;

c_cBlockTile* StonesAt(const c_cLevel& level, int x, int y) {
  for (int i = 0; i < level.blockTiles.Length(); ++i) {
    c_cBlockTile* stones = level.blockTiles[i];
    if (stones->active && stones->x == x && stones->y == y) return stones;
  }
  return nullptr;
}

bool GoldAt(const c_cLevel& level, int x, int y) {
  for (int i = 0; i < level.golds.Length(); ++i) {
    if (level.golds[i]->active && level.golds[i]->x == x && level.golds[i]->y == y) return true;
  }
  return false;
}

class SolverPlay : public GameFixture, public ::testing::WithParamInterface<int> {
 protected:
  int Elapsed() const { return clockMs - levelStartMs; }

  void Begin(int n) {
    StartLevel(n);
    levelStartMs = clockMs;
  }

  // The player reads a tutorial or introduction page and clicks it away.
  void DismissPages() const {
    if (match->flags.tutorialShowing == 0) return;
    match->flags.tutorialShowing = 0;
    match->flags.gamePaused = 0;
  }

  // One click an update on each enemy on the board, which drives it off in
  // six; counts the updates spent chasing.
  void ChaseEnemies() {
    bool chasing = false;
    if (level->bandits[0]->active) {
      ClickCell(level->bandits[0]->x, level->bandits[0]->y);
      chasing = true;
    }
    for (int i = 0; i < level->indigens.Length(); ++i) {
      const c_cIndigens* raider = level->indigens[i];
      if (raider->active) ClickCell(raider->x, raider->y);
      chasing = chasing || raider->active;
    }
    chaseUpdates += chasing ? 1 : 0;
  }

  // Clicks as the schedule says; true when the game took the click.
  bool Perform(const PlannedClick& c) {
    switch (c.action) {
      case WorkAction::ClearStones: {
        ClickCell(c.cell.x, c.cell.y);
        const c_cBlockTile* stones = StonesAt(*level, c.cell.x, c.cell.y);
        return stones && stones->removing == 1;
      }
      case WorkAction::OrderPiece:
        match->run.selectedPiece = c.piece;  // the palette slot
        ClickCell(c.cell.x, c.cell.y);
        return level->CellKind(c.cell.x, c.cell.y) == CellBlocked;
      case WorkAction::EnterMine: {
        const int before = level->mine->workers;
        ClickCell(c.cell.x, c.cell.y);
        return level->mine->workers == before + 1;
      }
      case WorkAction::SendOff:
        // What the depart button does while the countdown runs.
        ironAtSendOff = match->run.iron;
        match->run.levelScore += 500;
        match->run.departNow = 1;
        return true;
    }
    return false;
  }

  // Plays the plan until the train arrives or crashes; every click is taken
  // at its time or as soon after as the game allows.
  void Play(const WorkPlan& plan) {
    size_t next = 0;
    while (Elapsed() < kPlayLimitMs && match->run.trainArrived == 0 && match->run.trainCrashed == 0) {
      DismissPages();
      ChaseEnemies();
      while (next < plan.clicks.size() && plan.clicks[next].atMs <= Elapsed() && Perform(plan.clicks[next])) {
        latestClickMs = std::max(latestClickMs, Elapsed() - plan.clicks[next].atMs);
        ++next;
      }
      Run(1);
    }
    clicksTaken = next;
    endMs = Elapsed();
  }

  int levelStartMs = 0;
  int chaseUpdates = 0;
  int latestClickMs = 0;
  int ironAtSendOff = -1;
  size_t clicksTaken = 0;
  int endMs = 0;
};

TEST_P(SolverPlay, TheScheduleWinsTheLevelThroughTheGamesRules) {
  const int n = GetParam();
  const LevelSolution s = SolveLevel(n);
  ASSERT_TRUE(s.winnable) << s.blockedBy;
  Begin(n);
  Play(s.plan);

  EXPECT_EQ(match->run.trainArrived, 1);
  EXPECT_EQ(match->run.trainCrashed, 0);
  // Where enemies come every minute or so, the play had some to drive off.
  if (LevelLayoutOf(n).banditsKind == kBusiestEvents) {
    EXPECT_GT(chaseUpdates, 0);
  }
  EXPECT_EQ(clicksTaken, s.plan.clicks.size());
  // The plan's economy never promises more than the game gives.
  EXPECT_LT(latestClickMs, kUpdateMs);
  EXPECT_GE(ironAtSendOff, s.plan.ironLeft);
  // The train's ride is as long as the route the plan counted; it leaves at
  // the first countdown tick after the send-off, which the plan puts a whole
  // second later.
  EXPECT_LE(endMs, s.plan.arrivalMs + 2 * kUpdateMs);
  EXPECT_GE(endMs, s.plan.arrivalMs - kCountdownTickMs);
  for (const TrackPiece& p : s.pieces) {
    EXPECT_EQ(level->CellKind(p.cell.x, p.cell.y), p.kind) << "piece at " << p.cell.x << "," << p.cell.y;
  }
}

std::string LevelName(const ::testing::TestParamInfo<int>& info) { return "Level" + std::to_string(info.param); }

INSTANTIATE_TEST_SUITE_P(EveryLevel, SolverPlay, ::testing::Range(1, kLevelCount + 1), LevelName);

class SolverBoard : public GameFixture {};

// What the solver reads from the level table against the board the game lays
// out from it.
TEST_F(SolverBoard, ReadsEveryCellAsTheGameLaysItOut) {
  for (int n = 1; n <= kLevelCount; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    const BoardModel b = ReadBoard(n);
    StartLevel(n);
    EXPECT_EQ(b.iron, match->run.iron);
    EXPECT_EQ(b.start.x, level->startX);
    EXPECT_EQ(b.start.y, level->startY);
    EXPECT_EQ(b.finish.x, level->finishX);
    EXPECT_EQ(b.finish.y, level->finishY);
    for (int x = 0; x < kColumns; ++x) {
      for (int y = 0; y < kRows; ++y) {
        const Ground g = b.At(x, y);
        const int kind = level->CellKind(x, y);
        const bool tunnel = g == Ground::TunnelEntrance || g == Ground::TunnelExit;
        EXPECT_EQ(g == Ground::Blocked || g == Ground::Stones, kind == CellBlocked) << x << "," << y;
        EXPECT_EQ(tunnel, kind >= 0) << x << "," << y;
        EXPECT_EQ(g == Ground::Stones, StonesAt(*level, x, y) != nullptr) << x << "," << y;
        const bool onMine = level->mine->active && x - level->mine->x >= 0 && x - level->mine->x < 2 &&
                            y - level->mine->y >= 0 && y - level->mine->y < 2;
        EXPECT_EQ(g == Ground::Mine, onMine) << x << "," << y;
        if (g == Ground::Gold) {
          EXPECT_TRUE(GoldAt(*level, x, y)) << x << "," << y;
        }
      }
    }
  }
}

// Off the track, the solver's board text is the game's own.
TEST_F(SolverBoard, DrawsTheBoardAsTheGamePrintsIt) {
  for (int n = 1; n <= kLevelCount; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    const LevelSolution s = SolveLevel(n);
    const std::string drawn = TrackBoardText(s);
    std::string game = PrintLevelText(n);
    for (const TrackPiece& p : s.pieces) {
      const size_t at = p.cell.y * (kColumns + 1) + p.cell.x;  // rows end with a line break
      game[at] = drawn[at];
    }
    EXPECT_EQ(drawn, game);
  }
}

}  // namespace

namespace {

// An open board: start 0,4, finish 12,4, nothing in between.
BoardModel OpenBoard(int iron) {
  BoardModel b;
  b.cells.fill(Ground::Free);
  b.start = {0, 4};
  b.finish = {12, 4};
  b.iron = iron;
  return b;
}

BoardModel WithMine(BoardModel b, int reserve) {
  b.hasMine = true;
  b.mineReserve = reserve;
  b.mine = {5, 0};
  for (CellXY c : {CellXY{5, 0}, CellXY{6, 0}, CellXY{5, 1}, CellXY{6, 1}}) b.cells[CellIndex(c.x, c.y)] = Ground::Mine;
  return b;
}

constexpr int kStraightRowCost = 13 * 100;

TEST(SolverConstraints, NamesWhatMakesABoardUnwinnable) {
  const LevelSolution enough = SolveBoard(OpenBoard(kStraightRowCost), 5);
  EXPECT_TRUE(enough.winnable);
  EXPECT_EQ(enough.ironCost, kStraightRowCost);

  const LevelSolution poor = SolveBoard(OpenBoard(kStraightRowCost - 100), 5);
  EXPECT_FALSE(poor.winnable);
  EXPECT_EQ(poor.blockedBy.rfind("iron", 0), 0u) << poor.blockedBy;

  BoardModel walled = OpenBoard(5000);
  for (int y = 0; y < kRows; ++y) walled.cells[CellIndex(6, y)] = Ground::Blocked;
  const LevelSolution cut = SolveBoard(walled, 5);
  EXPECT_FALSE(cut.route.found);
  EXPECT_EQ(cut.blockedBy.rfind("route", 0), 0u) << cut.blockedBy;

  // All the iron from the mine: five workers make it in time, one does not.
  const BoardModel mineOnly = WithMine(OpenBoard(0), 10000);
  EXPECT_TRUE(SolveBoard(mineOnly, 5).winnable);
  const LevelSolution alone = SolveBoard(mineOnly, 1);
  EXPECT_FALSE(alone.winnable);
  EXPECT_EQ(alone.blockedBy.rfind("time", 0), 0u) << alone.blockedBy;
}

TEST(SolverTrack, TwoStraightPassesOverOneCellMakeACrossing) {
  const BoardModel b = OpenBoard(0);
  // Along row 4, round a small loop, and back down across the first pass.
  const std::vector<RouteStep> loop = {{{5, 4}, SideWest, SideEast},
                                       {{6, 4}, SideWest, SideNorth},
                                       {{6, 3}, SideSouth, SideWest},
                                       {{5, 3}, SideEast, SideSouth},
                                       {{5, 4}, SideNorth, SideSouth}};
  const std::vector<TrackPiece> pieces = PiecesAlong(b, loop);
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0].kind, PieceCrossing);
  EXPECT_EQ(pieces[1].kind, PieceCurveWN);
  EXPECT_EQ(pieces[2].kind, PieceCurveWS);
  EXPECT_EQ(pieces[3].kind, PieceCurveES);
  EXPECT_EQ(IronCost(pieces), 200 + 3 * 150);
}

}  // namespace
