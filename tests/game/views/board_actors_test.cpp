// Who the board shows moving, from the rules' own state and reports, through
// the clicks a player makes: a worker walks from the START cell (or out of
// the mine) to his job within the first part of its time and works there,
// walks home when it is done; workers sent to the mine walk in; stones break
// up; an enemy driven off runs for the nearest edge. Nothing here changes
// what a rule counts: the walk reads the job's progress.
#include <algorithm>
#include <cmath>
#include <vector>

#include "game/rules/economy.h"
#include "game/views/board_actors.h"
#include "tests/game/listening_fixtures.h"

namespace {

class BoardActors : public LevelPlayWithFeedback {
 protected:
  std::vector<BoardActor> Actors() const {
    return BoardActorsNow(*level, feedback->Marks(), match->clock.lastMillisecs);
  }
  std::vector<BoardActor> Of(ActorKind kind) const {
    std::vector<BoardActor> found;
    for (const BoardActor& a : Actors()) {
      if (a.kind == kind) found.push_back(a);
    }
    return found;
  }
  static float DistanceTo(const BoardActor& a, Spot s) { return std::hypot(a.x - s.x, a.y - s.y); }

};

// Level 1: START at 0,4; the cell 5,0 is free and far from it.
TEST_F(BoardActors, AWorkerWalksFromStartToHisJobThenHammersUntilItIsBuilt) {
  Play(1);
  const Spot start = CampSpot(*level);
  const Spot job = WorkSpot(5, 0);
  Use(PieceStraightWE, 5, 0);
  ASSERT_EQ(Kind(5, 0), CellBlocked);
  std::vector<BoardActor> walkers = Of(ActorKind::WorkerWalking);
  ASSERT_EQ(walkers.size(), 1u);
  EXPECT_NEAR(walkers[0].x, start.x, 1.0f);
  EXPECT_NEAR(walkers[0].y, start.y, 1.0f);
  // Every update brings him nearer, until he is at work within the walk's
  // share of the five seconds.
  float last = DistanceTo(walkers[0], job);
  int walkMs = 0;
  while (!Of(ActorKind::WorkerWalking).empty()) {
    Step();
    walkMs += 33;
    ASSERT_LT(walkMs, kBuildMs * kMostWalkShare + 100) << "still walking";
    for (const BoardActor& w : Of(ActorKind::WorkerWalking)) {
      const float now = DistanceTo(w, job);
      EXPECT_LT(now, last);
      EXPECT_FALSE(w.facingLeft);
      last = now;
    }
  }
  const std::vector<BoardActor> hammering = Of(ActorKind::WorkerHammering);
  ASSERT_EQ(hammering.size(), 1u);
  EXPECT_FLOAT_EQ(hammering[0].x, job.x);
  EXPECT_FLOAT_EQ(hammering[0].y, job.y);
  // The swing moves while he works.
  std::vector<int> frames;
  for (int i = 0; i < 8; ++i) {
    Step();
    frames.push_back(Of(ActorKind::WorkerHammering).at(0).frame);
  }
  EXPECT_GT(*std::max_element(frames.begin(), frames.end()), *std::min_element(frames.begin(), frames.end()));
  ASSERT_TRUE(RunUntil([&] { return Kind(5, 0) == PieceStraightWE; }, 5000));
  EXPECT_TRUE(Of(ActorKind::WorkerHammering).empty());
}

TEST_F(BoardActors, ThePauseHoldsTheWalkAsItHoldsTheWork) {
  Play(1);
  Use(PieceStraightWE, 8, 0);
  Run(300);
  const BoardActor before = Of(ActorKind::WorkerWalking).at(0);
  match->flags.gamePaused = 1;
  Run(2000);
  const BoardActor paused = Of(ActorKind::WorkerWalking).at(0);
  EXPECT_FLOAT_EQ(paused.x, before.x);
  EXPECT_FLOAT_EQ(paused.y, before.y);
}

TEST_F(BoardActors, AFinishedPieceRaisesDustAndItsWorkerWalksHomeAndIsGone) {
  Play(1);
  Use(PieceStraightWE, 6, 1);
  ASSERT_TRUE(RunUntil([&] { return Kind(6, 1) == PieceStraightWE; }, 5100));
  ASSERT_EQ(Of(ActorKind::DustPuff).size(), 1u);
  const BoardActor home = Of(ActorKind::WorkerWalking).at(0);
  EXPECT_TRUE(home.facingLeft);
  Run(kDustMs + 50);
  EXPECT_TRUE(Of(ActorKind::DustPuff).empty());
  const BoardActor later = Of(ActorKind::WorkerWalking).at(0);
  EXPECT_LT(DistanceTo(later, CampSpot(*level)), DistanceTo(home, CampSpot(*level)));
  ASSERT_TRUE(RunUntil([&] { return Actors().empty(); }, 3000));
}

// Level 4: the mine at 1,1; stones at 4,6.
TEST_F(BoardActors, WorkersSentToTheMineWalkToItsDoorAndGoInAndComeOutOfItForAJob) {
  Play(4, 1);
  ClickCell(1, 1);
  ASSERT_EQ(Mine()->workers, 1);
  const Spot door = MineDoor(*Mine());
  ASSERT_EQ(Of(ActorKind::WorkerWalking).size(), 1u);
  ASSERT_TRUE(RunUntil([&] { return Of(ActorKind::WorkerWalking).at(0).scale < 1.0f; }, 4000));
  const BoardActor goingIn = Of(ActorKind::WorkerWalking).at(0);
  EXPECT_NEAR(goingIn.x, door.x, 1.0f);
  EXPECT_LT(goingIn.alpha, 1.0f);
  ASSERT_TRUE(RunUntil([&] { return Actors().empty(); }, kGoingInMs + 100));
  // With no one idle the order takes him out of the mine: he walks from its
  // door, not from START.
  Use(PieceStraightWE, 8, 0);
  ASSERT_EQ(Mine()->workers, 0);
  const BoardActor out = Of(ActorKind::WorkerWalking).at(0);
  EXPECT_NEAR(out.x, door.x, 1.0f);
  EXPECT_NEAR(out.y, door.y, 1.0f);
}

TEST_F(BoardActors, StonesAreWorkedWithAPickAndBreakUpWhenCleared) {
  Play(4);
  ASSERT_EQ(Kind(4, 6), CellBlocked);
  ClickCell(4, 6);
  ASSERT_TRUE(RunUntil([&] { return !Of(ActorKind::WorkerPicking).empty(); }, 6000));
  EXPECT_TRUE(Of(ActorKind::WorkerHammering).empty());
  ASSERT_TRUE(RunUntil([&] { return Kind(4, 6) == CellEmpty; }, 15100));
  const std::vector<BoardActor> breaking = Of(ActorKind::StonesBreaking);
  ASSERT_EQ(breaking.size(), 1u);
  EXPECT_FLOAT_EQ(breaking[0].x, static_cast<float>(CellLeft(4)));
  EXPECT_FLOAT_EQ(breaking[0].y, static_cast<float>(CellTop(6)));
  Run(kStonesBreakMs + 50);
  EXPECT_TRUE(Of(ActorKind::StonesBreaking).empty());
}

struct RunnerCase {
  int x, y;
  float dx, dy;  // the way it runs
};

TEST_F(BoardActors, AnEnemyDrivenOffRunsForTheNearestEdgeAndOffTheBoard) {
  const RunnerCase cases[] = {{1, 3, -1, 0}, {11, 5, 1, 0}, {6, 0, 0, -1}, {5, 8, 0, 1}, {0, 0, -1, 0}};
  for (const RunnerCase& c : cases) {
    Play(1);
    level->SetCellKind(c.x, c.y, PieceStraightWE);
    level->SpawnIndigens(c.x, c.y);
    for (int i = 0; i < 6; ++i) {
      ClickCell(c.x, c.y);
      Step();
    }
    ASSERT_EQ(ActiveCount(level->indigens), 0) << c.x << "," << c.y;
    const std::vector<BoardActor> runners = Of(ActorKind::RunningRaiders);
    ASSERT_EQ(runners.size(), 1u) << c.x << "," << c.y;
    const float x0 = runners[0].x, y0 = runners[0].y;
    Run(100);
    const BoardActor later = Of(ActorKind::RunningRaiders).at(0);
    const float mx = later.x - x0, my = later.y - y0;
    EXPECT_GT(mx * c.dx + my * c.dy, 0.8f * 100 * kRunPixelsPerMs) << c.x << "," << c.y;
    EXPECT_NEAR(mx * c.dy + my * c.dx, 0.0f, 0.01f) << c.x << "," << c.y;
    EXPECT_EQ(later.facingLeft, c.dx < 0);
    // It is let go only once its picture has left the board.
    BoardActor last = later;
    ASSERT_TRUE(RunUntil(
        [&] {
          const std::vector<BoardActor> still = Of(ActorKind::RunningRaiders);
          if (!still.empty()) last = still[0];
          return still.empty();
        },
        3000));
    const float boardRight = static_cast<float>(kBoardOrigin + kColumns * kCellSize);
    const float boardBottom = static_cast<float>(kBoardOrigin + kRows * kCellSize);
    const float leftToGo = c.dx < 0   ? last.x + kCellSize - kBoardOrigin
                           : c.dx > 0 ? boardRight - last.x
                           : c.dy < 0 ? last.y + kCellSize - kBoardOrigin
                                      : boardBottom - last.y;
    EXPECT_LT(leftToGo, 40 * kRunPixelsPerMs) << c.x << "," << c.y;
  }
}

}  // namespace
