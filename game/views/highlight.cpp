#include "game/views/highlight.h"

#include <algorithm>

#include "game/views/data_files.h"
#include "graphics/drawing.h"

namespace {

constexpr float kScreenWidth = 1024;
constexpr float kScreenHeight = 768;
constexpr float kFillAlpha = 0.18f;
constexpr float kRimAlpha = 0.85f;
constexpr float kRimWidth = 2;
// A warm white, the colour of the game's lettering.
constexpr float kLightR = 255, kLightG = 244, kLightB = 214;

}  // namespace

void DrawHighlight(const FocusBox& focus) {
  if (!focus.shown) return;
  // Boxes open to one side (the menu's bands) end at the screen's edge.
  const float left = std::max(0.0f, focus.box.left);
  const float top = std::max(0.0f, focus.box.top);
  const float right = std::min(kScreenWidth, focus.box.right);
  const float bottom = std::min(kScreenHeight, focus.box.bottom);
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
