// A rectangle of virtual pixels that answers clicks. Each screen states its
// rectangles as constants of this type, with the bounds the rules give them:
// a closed box contains its limits, an open one does not.
#pragma once

#include <limits>

constexpr float kNoLimit = std::numeric_limits<float>::infinity();

struct HitBox {
  float left, right, top, bottom;
  bool closed;

  constexpr bool Contains(float x, float y) const {
    return closed ? (x >= left && x <= right && y >= top && y <= bottom)
                  : (x > left && x < right && y > top && y < bottom);
  }
};

constexpr HitBox ClosedBox(float left, float right, float top, float bottom) {
  return {left, right, top, bottom, true};
}
constexpr HitBox OpenBox(float left, float right, float top, float bottom) {
  return {left, right, top, bottom, false};
}

// The virtual screen every box lives on.
constexpr float kScreenWidth = 1024;
constexpr float kScreenHeight = 768;

// The part of a box on the screen: a side open to an edge (the menu's bands
// reach to the right) ends there.
constexpr HitBox OnScreen(const HitBox& box) {
  return {box.left < 0 ? 0 : box.left, box.right > kScreenWidth ? kScreenWidth : box.right,
          box.top < 0 ? 0 : box.top, box.bottom > kScreenHeight ? kScreenHeight : box.bottom, box.closed};
}
