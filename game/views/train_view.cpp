#include "game/views/train_view.h"

#include <cmath>

#include "game/rules/board.h"
#include "game/rules/state.h"
#include "game/views/data_files.h"

namespace {

constexpr float kHalfEngine = 31;      // half the engine picture's length
constexpr float kChimneyAhead = 14;    // the chimney, ahead of the engine's centre
constexpr int kIdlePuffs = 3;
constexpr float kIdlePuffMs = 2400;    // one puff's life
constexpr float kIdlePuffRise = 26;

// Where the engine is drawn while the rules' engine is still west of the
// waiting place (in the cell before the start, or early in the start cell):
// held at the waiting place across, following the rules' engine up or down
// only, so it never jumps. False once it has passed.
bool HeldAtStart(const LevelRun& run, const c_cTrain& train, const c_cLevel& level, float* x) {
  if (run.trainArrived == 1 || run.trainCrashed == 1 || train.cellY != level.startY) return false;
  if (train.cellX != level.startX - 1 && train.cellX != level.startX) return false;
  const float waitX = static_cast<float>(CellLeft(level.startX)) + kHalfEngine;
  if (train.x >= waitX) return false;
  *x = waitX;
  return true;
}

}  // namespace

void c_TrainView::LoadTrainImages() {
  engineImage = LoadGameImage(String("game/engine.png"), 1, ImageCentreHandle);
  smokeImage = LoadGameImage(String("game/smoke.png"), 1, ImageCentreHandle);
}

void c_TrainView::RenderTrain(const Match& match, bool atStart) const {
  const LevelRun& run = match.run;
  const c_cTrain& train = *match.train;
  if (run.trainCrashed == 1) return;
  float x = train.x;
  float y = train.y;
  const bool held = atStart && HeldAtStart(run, train, *match.board, &x);
  if (engineImage) DrawImage(engineImage, x, y, -train.heading, 1.0f, 1.0f, 0);
  if (held && run.trainRunning == 0) DrawIdleSmoke(x + kChimneyAhead, y, match.clock.lastMillisecs);
  if (smokeImage) {
    for (int i = 0; i < train.smokes.Length(); ++i) {
      const c_cSmoke* puff = train.smokes[i];
      if (!puff->active) continue;
      SetAlpha(puff->alpha);
      DrawImage(smokeImage, static_cast<float>(puff->x), static_cast<float>(puff->y), puff->rotation, puff->size,
                puff->size, 0);
    }
  }
  SetAlpha(1.0f);
}

// Small puffs that rise from the chimney and fade, one after another, from
// the game's clock alone (the rules' smoke only starts with the journey).
void c_TrainView::DrawIdleSmoke(float chimneyX, float chimneyY, int nowMs) const {
  if (!smokeImage) return;
  const float now = static_cast<float>(nowMs);
  for (int i = 0; i < kIdlePuffs; ++i) {
    const float age = std::fmod(now + kIdlePuffMs * static_cast<float>(i) / kIdlePuffs, kIdlePuffMs) / kIdlePuffMs;
    SetAlpha(0.55f * (1.0f - age));
    const float size = 0.25f + 0.45f * age;
    DrawImage(smokeImage, chimneyX - 6.0f * age, chimneyY - kIdlePuffRise * age, 40.0f * static_cast<float>(i) + 90.0f * age,
              size, size, 0);
  }
  SetAlpha(1.0f);
}

void c_TrainView::Mark() {
  engineImage.Mark();
  smokeImage.Mark();
}
