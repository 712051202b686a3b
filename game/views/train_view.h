// The engine, turned to its heading, and its smoke puffs.
#pragma once

#include "game/rules/match.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"

class c_TrainView : public Object {
 public:
  void LoadTrainImages();
  // The match's train. Nothing of a train that crashed. At the start (as the
  // game draws it), a train that has not left yet is shown where the player looks for it: at the start cell's west
  // edge with idle smoke (its place in the rules, one cell further left, lies
  // under the frame). Once it leaves it is held there until the rules' engine
  // catches up, so it never jumps.
  void RenderTrain(const Match& match, bool atStart = true) const;
  void Mark() override;

  gc_ref<c_Image> engineImage;
  gc_ref<c_Image> smokeImage;

 private:
  void DrawIdleSmoke(float chimneyX, float chimneyY, int nowMs) const;
};
