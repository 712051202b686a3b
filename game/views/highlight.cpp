#include "game/views/highlight.h"

#include "game/views/data_files.h"
#include "graphics/drawing.h"

namespace {

constexpr float kFillAlpha = 0.18f;
constexpr float kRimAlpha = 0.85f;
constexpr float kRimWidth = 2;
// A warm white, the colour of the game's lettering.
constexpr float kLightR = 255, kLightG = 244, kLightB = 214;

}  // namespace

void DrawHighlight(const FocusBox& focus) {
  if (!focus.shown) return;
  const HitBox shown = OnScreen(focus.box);
  const float left = shown.left;
  const float top = shown.top;
  const float right = shown.right;
  const float bottom = shown.bottom;
  const float w = right - left;
  const float h = bottom - top;
  if (w <= 0 || h <= 0) return;
  SetColor(kLightR, kLightG, kLightB);
  SetAlpha(kFillAlpha);
  FillGameRect(left, top, w, h);
  SetAlpha(kRimAlpha);
  FillGameRect(left, top, w, kRimWidth);
  FillGameRect(left, bottom - kRimWidth, w, kRimWidth);
  FillGameRect(left, top, kRimWidth, h);
  FillGameRect(right - kRimWidth, top, kRimWidth, h);
  SetAlpha(1.0f);
  SetColor(255, 255, 255);
}
