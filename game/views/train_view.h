// The engine, turned to its heading, and its smoke puffs.
#pragma once

#include "game/rules/train.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"

class c_TrainView : public Object {
 public:
  void LoadTrainImages();
  // Nothing of a train that crashed.
  void RenderTrain(const c_cTrain& train) const;
  void Mark() override;

  gc_ref<c_Image> engineImage;
  gc_ref<c_Image> smokeImage;
};
