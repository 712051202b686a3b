#include "game/rules/play_step.h"

#include "game/rules/board.h"
#include "game/rules/match.h"
#include "game/rules/train.h"

namespace {

// NextMove leaves the next cell on the train's own when it would be off the
// board.
bool HeadsOffTheBoard(const c_cTrain& train) {
  const int x = train.nextCellX;
  const int y = train.nextCellY;
  return (x == train.cellX && y == train.cellY) || !OnBoard(x, y);
}

}  // namespace

CrashCause CrashCauseOf(const c_cLevel& level, const c_cTrain& train) {
  const int kind = HeadsOffTheBoard(train) ? CellEmpty : level.CellKind(train.nextCellX, train.nextCellY);
  if (kind >= 0) return CrashCause::WrongPiece;
  if (kind == CellEmpty) {
    // The train waits just off the board, west of START: an empty START is
    // a level with no track laid from it.
    const bool startEmpty = train.nextCellX == level.startX && train.nextCellY == level.startY;
    return startEmpty ? CrashCause::NoTrackFromStart : CrashCause::EndOfTrack;
  }
  for (int i = 0; i < level.railTiles.Length(); ++i) {
    const c_cRailTile* job = level.railTiles[i];
    if (job->active == 1 && job->x == train.nextCellX && job->y == train.nextCellY) return CrashCause::UnfinishedPiece;
  }
  return CrashCause::Scenery;
}

namespace {

// Told in the update of the crash, while the level still holds what the
// train ran into (a job may finish under the panel afterwards).
void ReportCrash(const c_cLevel& level, const c_cTrain& train) {
  FeedbackEvent event;
  event.kind = FeedbackKind::TrainCrashed;
  event.cellX = train.nextCellX;
  event.cellY = train.nextCellY;
  event.cause = CrashCauseOf(level, train);
  ReportFeedback(event, level.match->clock.lastMillisecs);
}

}  // namespace

void RunLevelStep(Match& match) {
  c_cLevel* level = match.board;
  c_cTrain* train = match.train;
  level->UpdateLevel();
  train->UpdateTrain(level->cellKinds);
  if (train->explodeRequest == 1) {
    ReportCrash(*level, *train);
    match.run.crashX = train->x;
    match.run.crashY = train->y;
    const bool offTheBoard = HeadsOffTheBoard(*train);
    match.run.crashCellX = offTheBoard ? -1 : train->nextCellX;
    match.run.crashCellY = offTheBoard ? -1 : train->nextCellY;
    level->AddExplosion(static_cast<int>(train->x), static_cast<int>(train->y));
    train->explodeRequest = 0;
  }
  level->CollectGold(train);
  train->CheckTunnel(level);
}
