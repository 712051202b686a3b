// What the player does on the board and what it costs: clicks on enemies, the
// mine and stones, orders of rail pieces, demolition, the workers' jobs, the
// mine's income and the gold the train picks up.
#include "game/rules/economy.h"

#include "game/rules/board.h"
#include "game/rules/feedback.h"
#include "game/rules/pool.h"
#include "game/rules/match.h"
#include "game/rules/train.h"

int PieceCost(int kind) {
  if (kind == PieceStraightWE || kind == PieceStraightNS) return kStraightCost;
  if (kind == PieceCrossing) return kCrossingCost;
  return kCurveCost;
}

namespace {

bool TrainHasLeft(const LevelRun& run) { return run.trainRunning == 1 || run.trainArrived == 1 || run.trainCrashed == 1; }

bool LevelEnded(const LevelRun& run) { return run.trainArrived == 1 || run.trainCrashed == 1; }

// TakeWorker would find someone: an idle worker or one in the mine.
bool WorkerAvailable(const c_cLevel& level) { return level.match->run.freeWorkers > 0 || level.mine->workers > 0; }

// A refused click answers: the reason goes to the feedback memory and the
// refusal sound plays. Once the level has ended its panel takes the clicks,
// so the board stays silent under it.
void Refuse(const c_cLevel& level, int cx, int cy, OrderVerdict why) {
  if (LevelEnded(level.match->run)) return;
  FeedbackEvent event = CellEvent(FeedbackKind::OrderRefused, cx, cy);
  event.verdict = why;
  ReportFeedback(event, level.match->clock.lastMillisecs);
  PlayGameSound(SoundRefused);
}

bool OnMine(const c_cGoldMine* mine, int cx, int cy) {
  return mine->active == 1 && (cx == mine->x || cx == mine->x + 1) && (cy == mine->y || cy == mine->y + 1);
}

// Stones on the cell that nobody is clearing yet, or null.
c_cBlockTile* IdleStonesAt(const c_cLevel& level, int cx, int cy) {
  for (int i = 0; i < level.blockTiles.Length(); ++i) {
    c_cBlockTile* stones = level.blockTiles[i];
    if (stones->active == 1 && stones->removing == 0 && stones->x == cx && stones->y == cy) return stones;
  }
  return nullptr;
}

// The board shows the worker on his way; whether he left the mine for the
// job tells where he walks from.
void ReportWorkerSent(const c_cLevel& level, WorkerTask task, int cx, int cy, bool fromMine) {
  FeedbackEvent event = CellEvent(FeedbackKind::WorkerSent, cx, cy);
  event.task = task;
  event.fromMine = fromMine;
  ReportFeedback(event, level.match->clock.lastMillisecs);
}

// Takes a worker for a job at the cell and reports where he comes from.
bool SendWorker(c_cLevel& level, WorkerTask task, int cx, int cy) {
  const int idleBefore = level.match->run.freeWorkers;
  if (!level.TakeWorker()) return false;
  ReportWorkerSent(level, task, cx, cy, level.match->run.freeWorkers == idleBefore);
  return true;
}

void StartRemovingStones(c_cLevel& level, c_cBlockTile* stones) {
  if (!SendWorker(level, WorkerTask::Stones, stones->x, stones->y)) return;
  stones->removing = 1;
  stones->startTime = static_cast<float>(level.match->clock.lastMillisecs);
  stones->lastTime = static_cast<float>(level.match->clock.lastMillisecs);
}

// An order of piece kind selectedPiece on a cell of the board. Refused, with
// nothing taken, when the train has gone, the cell is not free, the iron does
// not reach, no job entry is free or no worker is found.
void OrderPiece(c_cLevel& level, int cx, int cy) {
  const OrderVerdict verdict = CheckOrder(level, cx, cy);
  if (verdict != OrderVerdict::Taken) {
    Refuse(level, cx, cy, verdict);
    return;
  }
  const int cost = PieceCost(level.match->run.selectedPiece);
  SendWorker(level, WorkerTask::Piece, cx, cy);
  level.match->run.iron -= cost;
  level.match->run.ironSpent += cost;
  level.StartConstruction(cx, cy);
  level.SetCellKind(cx, cy, CellBlocked);
  level.AddScoreText(-cost, CellLeft(cx), CellTop(cy));
  PlayGameSound(SoundBuild);
}

// Blows up a finished piece; free, and allowed while the train runs.
void Demolish(c_cLevel& level, int cx, int cy) {
  if (level.CellKind(cx, cy) < 0) return;
  level.AddExplosion(CellLeft(cx) + kCellSize / 2, CellTop(cy) + kCellSize / 2);
  level.SetCellKind(cx, cy, CellEmpty);
}

// One progress step of a job that someone works on: only unpaused time
// counts, but the job's clock always moves on, so a pause is never made up
// afterwards. True in the update the job completes; the work then stops.
bool WorkOn(const Match& match, int& working, float& progress, float& lastTime, float durationMs) {
  const float now = static_cast<float>(match.clock.lastMillisecs);
  if (working == 1) {
    if (match.flags.gamePaused == 0) progress += (now - lastTime) * kJobComplete / durationMs;
    lastTime = now;
  }
  if (progress < kJobComplete) return false;
  working = 0;
  return true;
}

}  // namespace

OrderVerdict CheckOrder(const c_cLevel& level, int cx, int cy) {
  if (TrainHasLeft(level.match->run)) return OrderVerdict::TrainLeft;
  if (level.CellKind(cx, cy) != CellEmpty) return OrderVerdict::Blocked;
  if (level.match->run.iron < PieceCost(level.match->run.selectedPiece)) return OrderVerdict::NoIron;
  if (FirstInactive(level.railTiles) == nullptr) return OrderVerdict::PoolFull;
  if (!WorkerAvailable(level)) return OrderVerdict::NoWorker;
  return OrderVerdict::Taken;
}

// Enemies first, then the mine, then stones, then the palette's piece or tool.
BoardTarget TargetOfClick(const c_cLevel& level, float px, float py) {
  BoardTarget target;
  target.cellX = CellAt(px);
  target.cellY = CellAt(py);
  const int cx = target.cellX;
  const int cy = target.cellY;
  const int selected = level.match->run.selectedPiece;
  if (level.EnemyAt(cx, cy) != nullptr) {
    target.kind = BoardTargetKind::Enemy;
  } else if (OnMine(level.mine, cx, cy)) {
    target.kind = BoardTargetKind::Mine;
    if (level.match->run.freeWorkers <= 0) target.verdict = OrderVerdict::NoWorker;
  } else if (IdleStonesAt(level, cx, cy) != nullptr) {
    target.kind = BoardTargetKind::Stones;
    if (!WorkerAvailable(level)) target.verdict = OrderVerdict::NoWorker;
  } else if (!OnBoard(cx, cy)) {
    target.kind = BoardTargetKind::Nothing;
  } else if (selected >= 0 && selected < kPieceKindCount) {
    target.kind = BoardTargetKind::Order;
    target.verdict = CheckOrder(level, cx, cy);
  } else if (selected == PieceDemolish) {
    target.kind = BoardTargetKind::Demolish;
    if (level.CellKind(cx, cy) < 0) target.verdict = OrderVerdict::Blocked;
  }
  return target;
}

void c_cLevel::ClickBoard(float px, float py) {
  const BoardTarget target = TargetOfClick(*this, px, py);
  const int cx = target.cellX;
  const int cy = target.cellY;
  switch (target.kind) {
    case BoardTargetKind::Enemy:
      ClickHazard(px, py);
      break;
    case BoardTargetKind::Mine:
      match->run.selectedPiece = -1;
      if (target.verdict != OrderVerdict::Taken) Refuse(*this, cx, cy, target.verdict);
      AssignMineWorker();
      break;
    case BoardTargetKind::Stones:
      match->run.selectedPiece = -1;
      if (target.verdict != OrderVerdict::Taken) Refuse(*this, cx, cy, target.verdict);
      StartRemovingStones(*this, IdleStonesAt(*this, cx, cy));
      break;
    case BoardTargetKind::Order:
      OrderPiece(*this, cx, cy);
      break;
    case BoardTargetKind::Demolish:
      Demolish(*this, cx, cy);
      break;
    case BoardTargetKind::Nothing:
      break;
  }
}

bool c_cLevel::TakeWorker() {
  if (match->run.freeWorkers > 0) {
    match->run.freeWorkers -= 1;
    return true;
  }
  if (mine->workers > 0) {
    mine->workers -= 1;
    return true;
  }
  return false;
}

void c_cLevel::StartConstruction(int x, int y) {
  c_cRailTile* job = FirstInactive(railTiles);
  if (job == nullptr) return;
  job->progress = 0;
  job->kind = match->run.selectedPiece;
  job->x = x;
  job->y = y;
  job->building = 1;
  job->finished = 0;
  job->startTime = static_cast<float>(match->clock.lastMillisecs);
  job->lastTime = static_cast<float>(match->clock.lastMillisecs);
  job->active = 1;
}

void c_cLevel::AssignMineWorker() {
  if (match->run.freeWorkers <= 0) return;
  mine->workers += 1;
  match->run.freeWorkers -= 1;
  // The payout clock starts again with every worker who goes in.
  lastMinePayout = static_cast<float>(match->clock.lastMillisecs);
  ReportWorkerSent(*this, WorkerTask::Mine, mine->x, mine->y, false);
  PlayGameSound(SoundMine);
}

void c_cLevel::UpdateConstruction() {
  for (int i = 0; i < railTiles.Length(); ++i) {
    c_cRailTile* job = railTiles[i];
    if (job->active == 0) continue;
    if (WorkOn(*match, job->building, job->progress, job->lastTime, kBuildMs)) {
      job->active = 0;
      job->finished = 1;
    }
    if (job->finished == 1) {
      SetCellKind(job->x, job->y, job->kind);
      match->run.freeWorkers += 1;
      ReportFeedback(CellEvent(FeedbackKind::PieceFinished, job->x, job->y), match->clock.lastMillisecs);
      PlayGameSound(SoundPieceFinished);
    }
  }
}

void c_cLevel::UpdateStones() {
  for (int i = 0; i < blockTiles.Length(); ++i) {
    c_cBlockTile* stones = blockTiles[i];
    if (stones->active == 0) continue;
    if (WorkOn(*match, stones->removing, stones->progress, stones->lastTime, kStonesRemovalMs)) {
      stones->active = 0;
      stones->removed = 1;
    }
    if (stones->removed == 1) {
      SetCellKind(stones->x, stones->y, CellEmpty);
      match->run.freeWorkers += 1;
      ReportFeedback(CellEvent(FeedbackKind::StonesCleared, stones->x, stones->y), match->clock.lastMillisecs);
      PlayGameSound(SoundStonesCleared);
    }
  }
}

namespace {

// One payout of the mine: what the workers dig, at most what is left.
void PayOutMine(c_cLevel& level) {
  c_cGoldMine* mine = level.mine;
  const int centreX = CellLeft(mine->x + 1);
  const int centreY = CellTop(mine->y + 1);
  if (mine->reserve <= 0) {
    level.AddFloatingMessage(String(kMineEmptyMessage), centreX, centreY);
    return;
  }
  int amount = mine->workers * kIronPerMineWorker;
  if (amount > mine->reserve) amount = mine->reserve;
  mine->reserve -= amount;
  level.match->run.iron += amount;
  level.AddScoreText(amount, centreX, centreY);
}

void AnimateMine(c_cGoldMine* mine, float now) {
  if (now <= mine->lastFrameTime + kMineFrameMs) return;
  mine->frame += 1;
  mine->lastFrameTime = now;
  if (mine->frame > kMineAnimationLastFrame) mine->frame = 0;
}

}  // namespace

// The mine works only while someone is inside. A payout tick that falls in a
// pause passes without paying.
void c_cLevel::UpdateMine() {
  if (mine->workers <= 0) return;
  const float now = static_cast<float>(match->clock.lastMillisecs);
  if (lastMinePayout + kMinePayoutMs <= now) {
    lastMinePayout = now;
    if (match->flags.gamePaused == 0) PayOutMine(*this);
  }
  AnimateMine(mine, now);
}

// Nuggets on the train's cell are picked up once the engine is half-way
// through it, running or not.
void c_cLevel::CollectGold(c_cTrain* train) {
  if (train->progress < kGoldPickupProgress) return;
  for (int i = 0; i < golds.Length(); ++i) {
    c_cGold* gold = golds[i];
    if (gold->active == 0 || gold->x != train->cellX || gold->y != train->cellY) continue;
    gold->active = 0;
    match->run.levelScore += kGoldScore;
    match->run.levelGold += kGoldMoney;
    AddScoreText(kGoldMoney, CellLeft(gold->x), CellTop(gold->y));
    PlayGameSound(SoundGold);
  }
}
