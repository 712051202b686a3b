#include "game/rules/play_step.h"

#include "game/rules/board.h"
#include "game/rules/train.h"

void RunLevelStep(c_cLevel* level, c_cTrain* train) {
  level->UpdateLevel();
  train->UpdateTrain(level->cellKinds);
  if (train->explodeRequest == 1) {
    level->AddExplosion(static_cast<int>(train->x), static_cast<int>(train->y));
    train->explodeRequest = 0;
  }
  level->CollectGold(train);
  train->CheckTunnel(level);
}
