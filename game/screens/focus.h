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

// Where pressing a focused box clicks: the centre of its part on the screen.
inline void PressPointOf(const HitBox& box, float* x, float* y) {
  const HitBox shown = OnScreen(box);
  *x = (shown.left + shown.right) / 2;
  *y = (shown.top + shown.bottom) / 2;
}

// The first of `boxes` that contains the point, or none.
inline FocusBox BoxAt(const std::vector<HitBox>& boxes, float x, float y) {
  for (const HitBox& box : boxes) {
    if (box.Contains(x, y)) return FocusBox{true, box};
  }
  return FocusBox{};
}
