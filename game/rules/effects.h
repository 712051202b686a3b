// The short-lived effects on the board: explosions and the floating texts
// that rise from it (amounts gained or lost, short messages). Adding them and
// the floating-text step are methods of the level (effects.cpp); these are
// plain pool entries, allocated once with the level and reused.
#pragma once

#include "runtime/array.h"
#include "runtime/gc.h"
#include "runtime/string.h"

constexpr int kExplosionPoolSize = 5;
constexpr int kScoreTextPoolSize = 50;
constexpr int kExplosionFrameMs = 100;
constexpr int kExplosionFrameCount = 6;
constexpr int kScoreTextStepMs = 10;
constexpr float kScoreTextFadePerStep = 0.05f;

class c_cExplosion : public Object {
 public:
  int active = 0;
  int frame = 0;
  int x = 0;
  int y = 0;
  float angle = 0;
  float lastFrameTime = 0;
};

// A theft is a loss the board shows flying off to the iron in stock.
enum ScoreTextKind { ScoreTextGain = 0, ScoreTextLoss = 1, ScoreTextMessage = 2, ScoreTextTheft = 3 };

class c_cScoreText : public Object {
 public:
  int active = 0;
  int kind = 0;
  String text;
  int x = 0;
  int y = 0;
  float alpha = 0;
  float lastStepTime = 0;
};

// Moves each explosion on by a frame every kExplosionFrameMs (also while
// paused) and ends it after its last frame. Part of the hazards' step.
void UpdateExplosions(const Array<c_cExplosion*>& explosions, int nowMs);

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
