// The joined line: whether the finished track takes the train from START to
// FINISH. It must say yes exactly when the train, sent off, would arrive: on
// every level's solver track (tunnels included), and no after any one break.
#include <string>
#include <vector>

#include "game/solver/joined_line.h"
#include "game/solver/solution.h"
#include "tests/game/level_play.h"

namespace {

using JoinedLineTest = LevelPlay;

// The solver's pieces of level n laid finished on its board, stones cleared.
void LaySolution(c_cLevel* level, const LevelSolution& solution) {
  for (int i = 0; i < level->blockTiles.Length(); ++i) level->blockTiles[i]->active = 0;
  for (const TrackPiece& piece : solution.pieces) level->SetCellKind(piece.cell.x, piece.cell.y, piece.kind);
}

TEST_F(JoinedLineTest, EveryLevelsSolverTrackIsAJoinedLineFromStartToFinishAndTheTrainArrivesOverIt) {
  for (int n = 1; n <= kLevelCount; ++n) {
    Play(n);
    level->ClearRandomEvents();  // no raiders to tear the track up
    const LevelSolution solution = SolveLevel(n);
    ASSERT_TRUE(solution.winnable) << n;
    EXPECT_TRUE(JoinedLine(*level).empty()) << "level " << n << " before any piece";
    LaySolution(level, solution);
    const std::vector<RouteStep> line = JoinedLine(*level);
    ASSERT_FALSE(line.empty()) << "level " << n;
    EXPECT_EQ(line.front().cell.x, level->startX) << n;
    EXPECT_EQ(line.front().cell.y, level->startY) << n;
    EXPECT_EQ(line.front().entry, SideWest) << n;
    EXPECT_EQ(line.back().cell.x, level->finishX) << n;
    EXPECT_EQ(line.back().cell.y, level->finishY) << n;
    // Each step leaves where the next enters, or jumps the tunnel.
    for (std::size_t i = 1; i < line.size(); ++i) {
      if (line[i].entry == kThroughTunnel) continue;
      const CellXY expected = Neighbour(line[i - 1].cell, line[i - 1].exit);
      EXPECT_EQ(line[i].cell.x, expected.x) << n << " step " << i;
      EXPECT_EQ(line[i].cell.y, expected.y) << n << " step " << i;
    }
    match->run.departNow = 1;
    ASSERT_TRUE(RunUntil([this] { return match->run.trainArrived == 1 || match->run.trainCrashed == 1; }, 150000));
    EXPECT_EQ(match->run.trainArrived, 1) << "level " << n;
  }
}

// What a cell entered from `entry` can hold that does not take the train in.
int TurnedAcross(int entry) { return entry == SideWest || entry == SideEast ? PieceStraightNS : PieceStraightWE; }

TEST_F(JoinedLineTest, AnyOneBrokenPieceBreaksTheLineAndTheTrainCrashesThere) {
  const LevelSolution solution = SolveLevel(1);
  const std::vector<RouteStep>& route = solution.route.steps;
  ASSERT_GE(route.size(), 3u);
  for (std::size_t at : {std::size_t{0}, route.size() / 2, route.size() - 1}) {
    const RouteStep& step = route[at];
    const struct {
      const char* name;
      int kind;
    } breaks[] = {{"empty", CellEmpty}, {"under construction", CellBlocked}, {"turned across", TurnedAcross(step.entry)}};
    for (const auto& broken : breaks) {
      Play(1);
      LaySolution(level, solution);
      ASSERT_FALSE(JoinedLine(*level).empty());
      level->SetCellKind(step.cell.x, step.cell.y, broken.kind);
      EXPECT_TRUE(JoinedLine(*level).empty()) << broken.name << " at step " << at;
      match->run.departNow = 1;
      ASSERT_TRUE(RunUntil([this] { return match->run.trainArrived == 1 || match->run.trainCrashed == 1; }, 90000));
      EXPECT_EQ(match->run.trainCrashed, 1) << broken.name << " at step " << at;
    }
  }
}

}  // namespace
