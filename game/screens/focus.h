// What a press would act on now: the button under the pointer, or (from the
// keyboard or a gamepad) the focused one. The main game keeps one of these and
// its view draws the same highlight for either, so every input method shows
// the same thing before it acts.
#pragma once

#include <vector>

#include "game/screens/hit_box.h"

struct FocusBox {
  bool shown = false;
  HitBox box{0, 0, 0, 0, true};
};

// The buttons the keys move between on one screen or panel, in screen order,
// and the one the focus starts on.
struct FocusList {
  std::vector<HitBox> boxes;
  int start = 0;
};

// Where pressing a focused box clicks: its centre, a side open to the edge of
// the 1024 x 768 screen ending there.
constexpr float kFocusScreenRight = 1024;
constexpr float kFocusScreenBottom = 768;
inline void PressPointOf(const HitBox& box, float* x, float* y) {
  const float left = box.left < 0 ? 0 : box.left;
  const float top = box.top < 0 ? 0 : box.top;
  const float right = box.right > kFocusScreenRight ? kFocusScreenRight : box.right;
  const float bottom = box.bottom > kFocusScreenBottom ? kFocusScreenBottom : box.bottom;
  *x = (left + right) / 2;
  *y = (top + bottom) / 2;
}

// The first of `boxes` that contains the point, or none.
inline FocusBox BoxAt(const std::vector<HitBox>& boxes, float x, float y) {
  for (const HitBox& box : boxes) {
    if (box.Contains(x, y)) return FocusBox{true, box};
  }
  return FocusBox{};
}
