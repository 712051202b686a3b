#include "game/solver/hint_from_game.h"

#include <algorithm>
#include <cmath>

#include "game/rules/economy.h"
#include "game/rules/state.h"

namespace {

template <class Pool>
bool ActiveAt(const Pool& pool, int x, int y) {
  for (int i = 0; i < pool.Length(); ++i) {
    if (pool[i]->active == 1 && pool[i]->x == x && pool[i]->y == y) return true;
  }
  return false;
}

// Work left on a job whose progress runs to 100 over durationMs.
int MsLeft(float progress, float durationMs) {
  return std::max(0, static_cast<int>(std::ceil((kJobComplete - progress) * durationMs / kJobComplete)));
}

// The level's ground as laid out, less the stones cleared and the nuggets
// picked up since.
void TakeLiveGround(const c_cLevel& level, BoardModel& board) {
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) {
      Ground& g = board.cells[CellIndex(x, y)];
      if (g == Ground::Stones && !ActiveAt(level.blockTiles, x, y)) g = Ground::Free;
      if (g == Ground::Free && ActiveAt(level.golds, x, y)) g = Ground::Gold;
      if (g == Ground::Gold && !ActiveAt(level.golds, x, y)) g = Ground::Free;
    }
  }
}

void TakeCells(const c_cLevel& level, HintState& s) {
  for (int i = 0; i < kCellCount; ++i) s.cells[i].piece = std::max(kNoPiece, level.cellKinds[i]);
  for (int i = 0; i < level.railTiles.Length(); ++i) {
    const c_cRailTile* job = level.railTiles[i];
    if (job->active != 1) continue;
    HintCell& c = s.At({job->x, job->y});
    c.building = job->kind;
    c.buildMsLeft = MsLeft(job->progress, kBuildMs);
  }
  for (int i = 0; i < level.blockTiles.Length(); ++i) {
    const c_cBlockTile* stones = level.blockTiles[i];
    if (stones->active == 1 && stones->removing == 1) {
      s.At({stones->x, stones->y}).clearMsLeft = MsLeft(stones->progress, kStonesRemovalMs);
    }
  }
}

// Until the countdown's tick that sends the train off: the next whole-second
// tick for a send-off, else the tick that makes the count 300.
int CountdownMsLeft(const Match& match, const c_cTrain& train) {
  const int toNextTick = static_cast<int>(train.lastSecondTime) + 1000 - match.clock.lastMillisecs;
  const int laterTicks = match.run.departNow == 1 ? 0 : kDepartureSeconds - train.countdown - 1;
  return std::max(0, toNextTick + 1000 * std::max(0, laterTicks));
}

HintTrain TakeTrain(const LevelRun& run, const c_cTrain& train) {
  HintTrain t;
  t.running = run.trainRunning == 1;
  t.arrived = run.trainArrived == 1;
  t.crashed = run.trainCrashed == 1;
  t.cell = {train.cellX, train.cellY};
  t.entry = EntrySideOf(train.move);
  t.exit = ExitSide(train.move);
  t.progress = train.progress;
  t.nextLookedUp = train.nextMove != MoveNone;
  t.nextCell = {train.nextCellX, train.nextCellY};
  t.nextEntry = EntrySideOf(train.nextMove);
  t.nextExit = ExitSide(train.nextMove);
  return t;
}

}  // namespace

HintState HintStateFromGame(const Match& match) {
  const c_cLevel& level = *match.board;
  const c_cTrain& train = *match.train;
  HintState s;
  s.board = ReadBoard(match.layout, match.run.levelNumber);
  TakeLiveGround(level, s.board);
  TakeCells(level, s);
  s.iron = match.run.iron;
  s.freeWorkers = match.run.freeWorkers;
  s.ownedWorkers = match.run.ownedWorkers;
  if (level.mine->active == 1) {
    s.mineReserve = level.mine->reserve;
    s.mineWorkers = level.mine->workers;
    s.msToPayout = std::max(0, static_cast<int>(level.lastMinePayout + kMinePayoutMs) - match.clock.lastMillisecs);
  }
  s.countdownMsLeft = CountdownMsLeft(match, train);
  s.train = TakeTrain(match.run, train);
  return s;
}
