// How pointer positions in a window's pixels relate to the game's virtual
// 1024 x 768 screen. Replays keep positions on the virtual screen, so that a
// replay does not depend on the size of the window it was recorded in; the
// platforms convert on the way in and out through this mapping, which the
// game supplies (it owns the virtual display's geometry).
#pragma once

class VirtualPointerMap {
 public:
  virtual ~VirtualPointerMap() {}
  // The virtual position of whole pixel (x, y) on a drawable of width x height.
  // Each axis depends on its own pixel only, and never decreases as it grows.
  virtual void ToVirtual(int x, int y, int width, int height, float* vx, float* vy) const = 0;

  // The whole pixel whose virtual position is exactly (vx, vy), or else the
  // nearest one. Without area the virtual position is taken as the pixel.
  void ToPixel(float vx, float vy, int width, int height, int* x, int* y) const;
};
