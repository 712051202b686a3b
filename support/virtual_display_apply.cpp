// The display on the real device: the frame's clip and transform, and the
// mouse of the input device in logical coordinates.
#include "graphics/drawing.h"
#include "graphics/renderer.h"
#include "host/input.h"
#include "support/virtual_display.h"

void ApplyVirtualDisplay() {
  c_VirtualDisplay* d = currentVirtualDisplay;
  gxtkGraphics* device = currentGraphicsDevice;
  const int w = device->Width();
  const int h = device->Height();
  d->UpdateDevice(w, h);
  SetScissor(0.0f, 0.0f, static_cast<float>(w), static_cast<float>(h));
  ClearToColor(0.0f, 0.0f, 0.0f);  // the bars
  SetScissor(d->scissorX, d->scissorY, d->scissorWidth, d->scissorHeight);
  const float factor = d->scale * d->zoom;
  Transform(factor, 0.0f, 0.0f, factor, 0.0f, 0.0f);
  if (d->zoom != 0.0f) Transform(1.0f, 0.0f, 0.0f, 1.0f, d->virtualOffsetX, d->virtualOffsetY);
}

float VirtualMouseX() {
  return currentVirtualDisplay->MapMouseX(currentInputDevice->mouseX, currentGraphicsDevice->Width());
}

float VirtualMouseY() {
  return currentVirtualDisplay->MapMouseY(currentInputDevice->mouseY, currentGraphicsDevice->Height());
}

float VirtualWidth() { return currentVirtualDisplay->virtualWidth; }

float VirtualHeight() { return currentVirtualDisplay->virtualHeight; }
