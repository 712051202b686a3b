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

// The first of `boxes` that contains the point, or none.
inline FocusBox BoxAt(const std::vector<HitBox>& boxes, float x, float y) {
  for (const HitBox& box : boxes) {
    if (box.Contains(x, y)) return FocusBox{true, box};
  }
  return FocusBox{};
}
