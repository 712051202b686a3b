#include "game/rules/play_step.h"

#include "game/rules/board.h"
#include "game/rules/train.h"

CrashCause CrashCauseOf(const c_cLevel& level, const c_cTrain& train) {
  const int x = train.nextCellX;
  const int y = train.nextCellY;
  // NextMove leaves the next cell on the train's own when it would be off
  // the board.
  if ((x == train.cellX && y == train.cellY) || !OnBoard(x, y)) return CrashCause::EndOfTrack;
  const int kind = level.CellKind(x, y);
  if (kind >= 0) return CrashCause::WrongPiece;
  if (kind == CellEmpty) return CrashCause::EndOfTrack;
  for (int i = 0; i < level.railTiles.Length(); ++i) {
    const c_cRailTile* job = level.railTiles[i];
    if (job->active == 1 && job->x == x && job->y == y) return CrashCause::UnfinishedPiece;
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
  ReportFeedback(event);
}

}  // namespace

void RunLevelStep(c_cLevel* level, c_cTrain* train) {
  level->UpdateLevel();
  train->UpdateTrain(level->cellKinds);
  if (train->explodeRequest == 1) {
    ReportCrash(*level, *train);
    level->AddExplosion(static_cast<int>(train->x), static_cast<int>(train->y));
    train->explodeRequest = 0;
  }
  level->CollectGold(train);
  train->CheckTunnel(level);
}
