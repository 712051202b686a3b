#include "support/virtual_display.h"

gc_global<c_VirtualDisplay*> currentVirtualDisplay;

namespace {

// One axis of the clip rectangle: the bars, or the zoomed picture when it is
// narrower than the space between them.
void ClipAxis(float bar, float zoomedOffset, float deviceSize, float& start, float& size) {
  const float edge = bar > zoomedOffset ? bar : zoomedOffset;
  start = edge;
  size = deviceSize - edge * 2.0f;
}

}  // namespace

c_VirtualDisplay::c_VirtualDisplay(float zoomValue) : zoom(zoomValue), lastZoom(zoomValue + 1.0f) {}

bool c_VirtualDisplay::UpdateDevice(int w, int h) {
  // A minimised window may report no area: recomputing from it would divide by
  // zero and leave the clip rectangle undefined, so the last size stays in force.
  if (w > 0 && h > 0 && (w != lastDeviceWidth || h != lastDeviceHeight)) {
    lastDeviceWidth = w;
    lastDeviceHeight = h;
    deviceChanged = 1;
  }
  if (lastDeviceWidth == 0) return false;  // no device with an area seen yet
  if (deviceChanged) {
    deviceWidthF = static_cast<float>(lastDeviceWidth);
    deviceHeightF = static_cast<float>(lastDeviceHeight);
    deviceRatio = deviceHeightF / deviceWidthF;
    if (virtualRatio < deviceRatio) {
      scale = deviceWidthF / virtualWidth;
      barHeight = (deviceHeightF - virtualHeight * scale) * 0.5f;
      barWidth = 0.0f;
    } else {
      scale = deviceHeightF / virtualHeight;
      barWidth = (deviceWidthF - scale * virtualWidth) * 0.5f;
      barHeight = 0.0f;
    }
  }
  if (zoom != lastZoom) {
    zoomChanged = 1;
    lastZoom = zoom;
  }
  if (!zoomChanged && !deviceChanged) return false;
  zoomedWidth = zoom * virtualWidth * scale;
  zoomedHeight = zoom * virtualHeight * scale;
  zoomedOffsetX = (deviceWidthF - zoomedWidth) * 0.5f;
  zoomedOffsetY = (deviceHeightF - zoomedHeight) * 0.5f;
  ClipAxis(barWidth, zoomedOffsetX, deviceWidthF, scissorX, scissorWidth);
  ClipAxis(barHeight, zoomedOffsetY, deviceHeightF, scissorY, scissorHeight);
  if (scissorX < 0.0f) scissorX = 0.0f;
  if (scissorY < 0.0f) scissorY = 0.0f;
  if (scissorWidth > deviceWidthF) scissorWidth = deviceWidthF;
  if (scissorHeight > deviceHeightF) scissorHeight = deviceHeightF;
  deviceChanged = 0;
  zoomChanged = 0;
  virtualOffsetX = ((deviceWidthF - scale * virtualWidth * zoom) * 0.5f) / scale / zoom;
  virtualOffsetY = ((deviceHeightF - scale * virtualHeight * zoom) * 0.5f) / scale / zoom;
  return true;
}

float c_VirtualDisplay::MapMouse(float mouse, int deviceSize, float virtualSize) const {
  // Before the first recomputation (or at zoom 0) there is no scale to divide by.
  if (scale == 0.0f || zoom == 0.0f) return 0.0f;
  const float d = mouse - static_cast<float>(deviceSize) * 0.5f;
  const float c = d / scale / zoom + virtualSize * 0.5f;
  if (c <= 0.0f) return 0.0f;
  if (c < virtualSize - 1.0f) return c;
  return virtualSize - 1.0f;
}

float c_VirtualDisplay::MapMouseX(float mouseX, int deviceWidth) const {
  return MapMouse(mouseX, deviceWidth, virtualWidth);
}

float c_VirtualDisplay::MapMouseY(float mouseY, int deviceHeight) const {
  return MapMouse(mouseY, deviceHeight, virtualHeight);
}

c_VirtualDisplay* CreateVirtualDisplay(float zoom) {
  c_VirtualDisplay* display = new c_VirtualDisplay(zoom);
  currentVirtualDisplay = display;
  return display;
}
