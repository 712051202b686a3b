// The virtual display: the fixed 1024 x 768 logical screen, scaled uniformly onto
// the real drawing surface, centred, with black bars on the sides that do not fit,
// drawing clipped to the visible logical area, and the mouse mapped back into
// logical coordinates. All arithmetic is single precision.
#pragma once

#include "runtime/gc.h"

class c_VirtualDisplay : public Object {
 public:
  explicit c_VirtualDisplay(float zoom);

  // Records the device size and, when it or the zoom changed since the last
  // recomputation, recomputes scale, bars, clip rectangle and offsets. Answers
  // whether it recomputed. A device without area is not recorded.
  bool UpdateDevice(int deviceWidth, int deviceHeight);
  // Logical x of a window x on a device of the given width, clamped to 0..1023.
  float MapMouseX(float mouseX, int deviceWidth) const;
  // Logical y of a window y on a device of the given height, clamped to 0..767.
  float MapMouseY(float mouseY, int deviceHeight) const;

  float virtualWidth = 1024.0f;
  float virtualHeight = 768.0f;
  float zoom = 1.0f;
  float lastZoom = 2.0f;
  float virtualRatio = 0.75f;
  float scale = 0.0f;
  int lastDeviceWidth = 0;
  int lastDeviceHeight = 0;
  int deviceChanged = 0;
  float deviceWidthF = 0.0f;
  float deviceHeightF = 0.0f;
  float deviceRatio = 0.0f;
  float barHeight = 0.0f;
  float barWidth = 0.0f;
  int zoomChanged = 0;
  float zoomedWidth = 0.0f;
  float zoomedHeight = 0.0f;
  float zoomedOffsetX = 0.0f;
  float zoomedOffsetY = 0.0f;
  float scissorX = 0.0f;
  float scissorWidth = 0.0f;
  float scissorY = 0.0f;
  float scissorHeight = 0.0f;
  float virtualOffsetX = 0.0f;
  float virtualOffsetY = 0.0f;

 private:
  float MapMouse(float mouse, int deviceSize, float virtualSize) const;
};

// The current display (a collector root).
extern gc_global<c_VirtualDisplay*> currentVirtualDisplay;

// Makes a new 1024 x 768 display with the given zoom the current one.
c_VirtualDisplay* CreateVirtualDisplay(float zoom);

// The following need the drawing interface and the input device.

// First thing in every render: recomputes the geometry when the device size or
// the zoom changed, paints the whole device black, clips drawing to the
// logical screen and scales (and centres) the frame's transform onto it.
void ApplyVirtualDisplay();
// The input device's mouse in logical coordinates, clamped to 0..1023 / 0..767.
float VirtualMouseX();
float VirtualMouseY();
float VirtualWidth();
float VirtualHeight();
