#include "game/views/train_view.h"

#include "game/rules/state.h"
#include "game/views/data_files.h"

void c_TrainView::LoadTrainImages() {
  engineImage = LoadGameImage(String("game/engine.png"), 1, ImageCentreHandle);
  smokeImage = LoadGameImage(String("game/smoke.png"), 1, ImageCentreHandle);
}

void c_TrainView::RenderTrain(const c_cTrain& train) const {
  if (gameState.run.trainCrashed == 1) return;
  if (engineImage) DrawImage(engineImage, train.x, train.y, -train.heading, 1.0f, 1.0f, 0);
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

void c_TrainView::Mark() {
  engineImage.Mark();
  smokeImage.Mark();
}
