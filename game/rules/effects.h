// The short-lived effects on the board: explosions and the floating texts
// that rise from it (amounts gained or lost, short messages). Adding, the
// floating-text step and the drawing are methods of the level (effects.cpp).
#pragma once

#include "game/rules/hazards.h"
#include "runtime/array.h"

// Moves each explosion on by a frame every kExplosionFrameMs (also while
// paused) and ends it after its last frame. Part of the hazards' step.
void UpdateExplosions(const Array<c_cExplosion*>& explosions);

// One step of a floating text (the board's or the map's): at most once per
// kScoreTextStepMs it rises a pixel and fades a little, so it lives 20 steps.
template <class FloatingText>
void StepFloatingText(FloatingText* text, float now) {
  if (text->active == 0 || text->lastStepTime + kScoreTextStepMs > now) return;
  text->alpha -= kScoreTextFadePerStep;
  text->y -= 1;
  text->lastStepTime = now;
  if (text->alpha <= 0) text->active = 0;
}
