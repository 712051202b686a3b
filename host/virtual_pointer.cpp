#include "host/virtual_pointer.h"

#include <cmath>

namespace {

// The pixel in 0..size-1 whose image on one axis is nearest to target,
// preferring an exact one; the image never decreases, so a binary search
// finds the first pixel at or past the target.
template <typename Image>
int NearestPixel(float target, int size, Image image) {
  int low = 0, high = size - 1;
  while (low < high) {
    const int mid = low + (high - low) / 2;
    if (image(mid) < target) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  if (low > 0 && std::fabs(image(low - 1) - target) < std::fabs(image(low) - target)) return low - 1;
  return low;
}

}  // namespace

void VirtualPointerMap::ToPixel(float vx, float vy, int width, int height, int* x, int* y) const {
  if (width <= 0 || height <= 0) {
    *x = static_cast<int>(vx);
    *y = static_cast<int>(vy);
    return;
  }
  *x = NearestPixel(vx, width, [&](int px) {
    float fx = 0, fy = 0;
    ToVirtual(px, 0, width, height, &fx, &fy);
    return fx;
  });
  *y = NearestPixel(vy, height, [&](int py) {
    float fx = 0, fy = 0;
    ToVirtual(0, py, width, height, &fx, &fy);
    return fy;
  });
}
