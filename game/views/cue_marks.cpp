#include "game/views/cue_marks.h"

#include <cmath>

#include "game/views/colour.h"
#include "game/views/data_files.h"

namespace {

constexpr float kPi = 3.14159265f;
// Squares overlap by half a pen along a stroke, so it reads as one line.
constexpr float kStrokeStep = kMarkPen / 2;
constexpr float kBackingMargin = 3;
constexpr Colour kMarkInk = {255, 248, 230};
constexpr Colour kMarkBacking = {30, 20, 12};
constexpr float kBackingAlpha = 0.7f;

void Stroke(float x0, float y0, float x1, float y1, std::vector<MarkSquare>* squares) {
  const float length = std::hypot(x1 - x0, y1 - y0);
  const int steps = static_cast<int>(std::ceil(length / kStrokeStep));
  for (int i = 0; i <= steps; ++i) {
    const float t = steps == 0 ? 0 : static_cast<float>(i) / static_cast<float>(steps);
    squares->push_back({x0 + (x1 - x0) * t - kMarkPen / 2, y0 + (y1 - y0) * t - kMarkPen / 2});
  }
}

void DrawSquares(const std::vector<MarkSquare>& squares, float x, float y) {
  for (const MarkSquare& s : squares) FillGameRect(x + s.x, y + s.y, kMarkPen, kMarkPen);
}

}  // namespace

std::vector<MarkSquare> TickSquares(float size) {
  std::vector<MarkSquare> squares;
  Stroke(size * 0.1f, size * 0.55f, size * 0.4f, size * 0.85f, &squares);
  Stroke(size * 0.4f, size * 0.85f, size * 0.9f, size * 0.15f, &squares);
  return squares;
}

std::vector<MarkSquare> CrossSquares(float size) {
  std::vector<MarkSquare> squares;
  Stroke(size * 0.15f, size * 0.15f, size * 0.85f, size * 0.85f, &squares);
  Stroke(size * 0.85f, size * 0.15f, size * 0.15f, size * 0.85f, &squares);
  return squares;
}

std::vector<MarkSquare> DashedRingSquares(float radius, int dashes) {
  std::vector<MarkSquare> squares;
  const float dashAngle = kPi / static_cast<float>(dashes);  // a dash, then a gap as long
  const int perDash = static_cast<int>(std::ceil(radius * dashAngle / kStrokeStep));
  for (int d = 0; d < dashes; ++d) {
    const float start = 2 * kPi * static_cast<float>(d) / static_cast<float>(dashes);
    for (int i = 0; i <= perDash; ++i) {
      const float a = start + dashAngle * static_cast<float>(i) / static_cast<float>(perDash);
      squares.push_back({radius * std::cos(a) - kMarkPen / 2, radius * std::sin(a) - kMarkPen / 2});
    }
  }
  return squares;
}

void DrawVerdictMark(bool taken, float x, float y, float size) {
  Tint(kMarkBacking);
  SetAlpha(kBackingAlpha);
  FillGameRect(x - kBackingMargin, y - kBackingMargin, size + 2 * kBackingMargin, size + 2 * kBackingMargin);
  SetAlpha(1.0f);
  Tint(kMarkInk);
  DrawSquares(taken ? TickSquares(size) : CrossSquares(size), x, y);
  SetColor(255, 255, 255);
}

void DrawDashedRing(float cx, float cy, float radius, int dashes) {
  DrawSquares(DashedRingSquares(radius, dashes), cx, cy);
}

void DrawOutline(float left, float top, float w, float h, float width) {
  FillGameRect(left, top, w, width);
  FillGameRect(left, top + h - width, w, width);
  FillGameRect(left, top, width, h);
  FillGameRect(left + w - width, top, width, h);
}
