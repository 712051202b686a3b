#include "graphics/drawing.h"

#include <cmath>

#include "host/files.h"
#include "runtime/error.h"

gc_global<c_GraphicsContext*> graphicsContext;
gc_global<gxtkGraphics*> renderDevice;
int defaultImageFlags = 0;

void InitGraphicsGlobals() {
  graphicsContext = new c_GraphicsContext();
  renderDevice = nullptr;
  currentGraphicsDevice = nullptr;
  defaultImageFlags = 0;
}

// ---- Images ------------------------------------------------------------------

void c_Image::Mark() {
  surface.Mark();
  frames.Mark();
  source.Mark();
}

c_Image* c_Image::SetHandle(float x, float y) {
  handleX = x;
  handleY = y;
  flags &= ~ImageCentreHandle;
  return this;
}

c_Image* c_Image::InitFromSurface(gxtkSurface* picture, int frameCount, int imageFlags) {
  // A count below one would divide by zero; such a load gets one frame.
  if (frameCount < 1) frameCount = 1;
  surface = picture;
  width = picture->Width() / frameCount;
  height = picture->Height();
  frames = Array<c_Frame*>(frameCount);
  for (int i = 0; i < frameCount; ++i) frames[i] = (new c_Frame())->m_new(i * width, 0);
  ApplyFlags(imageFlags);
  return this;
}

c_Image* c_Image::InitFromImage(c_Image* src, int frameWidth, int frameHeight, int frameCount,
                                int imageFlags) {
  if (src->frames.Length() != 1) return nullptr;
  source = src;
  surface = src->surface.get();
  width = frameWidth;
  height = frameHeight;
  if (frameCount < 0) frameCount = 0;
  frames = Array<c_Frame*>(frameCount);
  const c_Frame* origin = src->frames[0];
  int cx = 0, cy = 0;
  for (int i = 0; i < frameCount; ++i) {
    if (cx + frameWidth > src->width) {
      cx = 0;
      cy += frameHeight;
    }
    if (cx + frameWidth > src->width || cy + frameHeight > src->height) {
      Error(String("Image frame outside surface"));
    }
    frames[i] = (new c_Frame())->m_new(cx + origin->x, cy + origin->y);
    cx += frameWidth;
  }
  ApplyFlags(imageFlags);
  return this;
}

void c_Image::ApplyFlags(int imageFlags) {
  flags = imageFlags;
  if (flags & ImagePadX) {
    for (int i = 0; i < frames.Length(); ++i) frames[i]->x += 1;
    width -= 2;
  }
  if (flags & ImagePadY) {
    for (int i = 0; i < frames.Length(); ++i) frames[i]->y += 1;
    height -= 2;
  }
  if (flags & ImageCentreHandle) {
    handleX = static_cast<float>(width) * 0.5f;
    handleY = static_cast<float>(height) * 0.5f;
    flags &= ~ImageCentreHandle;
  }
  gxtkSurface* picture = surface.get();
  if (frames.Length() == 1 && frames[0]->x == 0 && frames[0]->y == 0 && picture != nullptr &&
      width == picture->Width() && height == picture->Height()) {
    flags |= ImageWholeSurface;
  }
}

c_Image* LoadImage(const String& path, int frameCount, int flags) {
  gxtkGraphics* device = currentGraphicsDevice.get();
  if (device == nullptr) return nullptr;
  gxtkSurface* picture = device->LoadSurface(ResolveDataPath(path));
  if (picture == nullptr) return nullptr;
  return (new c_Image())->InitFromSurface(picture, frameCount, flags);
}

c_Image* LoadImage(const String& path, int frameWidth, int frameHeight, int frameCount, int flags) {
  c_Image* whole = LoadImage(path, 1, 0);
  if (whole == nullptr) return nullptr;
  return (new c_Image())->InitFromImage(whole, frameWidth, frameHeight, frameCount, flags);
}

void LoadDefaultFont() {
  c_GraphicsContext* context = graphicsContext.get();
  if (context->defaultFont.get() == nullptr) {
    context->defaultFont = LoadImage(String("glim_font.png"), 96, ImagePadX);
  }
  context->font = context->defaultFont.get();
  context->firstChar = 32;
}

// ---- Context -----------------------------------------------------------------

c_GraphicsContext::c_GraphicsContext() { matrixStack = Array<float>(kStackLevels * 6); }

void c_GraphicsContext::Mark() {
  defaultFont.Mark();
  font.Mark();
  matrixStack.Mark();
}

void BeginFrame() {
  renderDevice = currentGraphicsDevice.get();
  c_GraphicsContext* context = graphicsContext.get();
  context->matrixTop = 0;
  SetMatrix(1, 0, 0, 1, 0, 0);
  SetColor(255, 255, 255);
  SetAlpha(1);
  SetBlend(0);
  gxtkGraphics* device = renderDevice.get();
  const float w = device ? static_cast<float>(device->Width()) : 0.0f;
  const float h = device ? static_cast<float>(device->Height()) : 0.0f;
  SetScissor(0, 0, w, h);
}

void EndFrame() { renderDevice = nullptr; }

void SetColor(float r, float g, float b) {
  c_GraphicsContext* context = graphicsContext.get();
  context->colorR = r;
  context->colorG = g;
  context->colorB = b;
  if (gxtkGraphics* device = renderDevice.get()) device->SetColor(r, g, b);
}

void SetAlpha(float a) {
  graphicsContext->alpha = a;
  if (gxtkGraphics* device = renderDevice.get()) device->SetAlpha(a);
}

void SetBlend(int mode) {
  graphicsContext->blend = mode;
  if (gxtkGraphics* device = renderDevice.get()) device->SetBlend(mode);
}

namespace {
// Float to int as a C conversion would, without undefined behaviour outside
// the int range (NaN becomes 0).
int TruncateToInt(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0f) return 2147483647;
  if (v <= -2147483648.0f) return -2147483647 - 1;
  return static_cast<int>(v);
}
}  // namespace

void SetScissor(float x, float y, float w, float h) {
  c_GraphicsContext* context = graphicsContext.get();
  context->scissorX = x;
  context->scissorY = y;
  context->scissorW = w;
  context->scissorH = h;
  if (gxtkGraphics* device = renderDevice.get()) {
    device->SetScissor(TruncateToInt(x), TruncateToInt(y), TruncateToInt(w), TruncateToInt(h));
  }
}

void ClearToColor(float r, float g, float b) {
  if (gxtkGraphics* device = renderDevice.get()) device->ClearScreen(r, g, b);
}

// ---- Matrix ------------------------------------------------------------------

void SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty) {
  c_GraphicsContext* c = graphicsContext.get();
  c->ix = ix;
  c->iy = iy;
  c->jx = jx;
  c->jy = jy;
  c->tx = tx;
  c->ty = ty;
  c->transformed = !(ix == 1 && iy == 0 && jx == 0 && jy == 1 && tx == 0 && ty == 0);
  c->matrixDirty = 1;
}

void Transform(float a, float b, float c, float d, float e, float f) {
  const c_GraphicsContext* m = graphicsContext.get();
  SetMatrix(a * m->ix + b * m->jx, a * m->iy + b * m->jy, c * m->ix + d * m->jx, c * m->iy + d * m->jy,
            e * m->ix + f * m->jx + m->tx, e * m->iy + f * m->jy + m->ty);
}

void Translate(float x, float y) { Transform(1, 0, 0, 1, x, y); }

void Scale(float sx, float sy) { Transform(sx, 0, 0, sy, 0, 0); }

void Rotate(float degrees) {
  const float r = degrees * 0.017453292f;
  const float c = std::cos(r);
  const float s = std::sin(r);
  Transform(c, -s, s, c, 0, 0);
}

// The stack holds 32 matrices. A push beyond that and a pop of an empty stack
// are ignored rather than writing or reading outside it.
void PushMatrix() {
  c_GraphicsContext* c = graphicsContext.get();
  if (c->matrixTop + 6 > c->matrixStack.Length()) return;
  float* top = c->matrixStack.begin() + c->matrixTop;
  top[0] = c->ix;
  top[1] = c->iy;
  top[2] = c->jx;
  top[3] = c->jy;
  top[4] = c->tx;
  top[5] = c->ty;
  c->matrixTop += 6;
}

void PopMatrix() {
  c_GraphicsContext* c = graphicsContext.get();
  if (c->matrixTop < 6) return;
  const float* top = c->matrixStack.begin() + c->matrixTop - 6;
  SetMatrix(top[0], top[1], top[2], top[3], top[4], top[5]);
  c->matrixTop -= 6;
}

void FlushMatrix() {
  c_GraphicsContext* c = graphicsContext.get();
  if (!c->matrixDirty) return;
  if (gxtkGraphics* device = renderDevice.get()) device->SetMatrix(c->ix, c->iy, c->jx, c->jy, c->tx, c->ty);
  c->matrixDirty = 0;
}

// ---- Drawing -----------------------------------------------------------------

void DrawRect(float x, float y, float w, float h) {
  gxtkGraphics* device = renderDevice.get();
  if (device == nullptr) return;
  FlushMatrix();
  device->DrawRect(x, y, w, h);
}

namespace {

// The frame at `index`, or null when the index lies outside the image's frames.
c_Frame* FrameAt(c_Image* image, int index) {
  if (image == nullptr || index < 0 || index >= image->frames.Length()) return nullptr;
  return image->frames[index];
}

void DrawFrame(gxtkGraphics* device, c_Image* image, const c_Frame* f, float x, float y) {
  if (image->flags & ImageWholeSurface) {
    device->DrawSurface(image->surface, x, y);
  } else {
    device->DrawSurfaceRect(image->surface, x, y, f->x, f->y, image->width, image->height);
  }
}

}  // namespace

void DrawImage(c_Image* image, float x, float y, int frame) {
  gxtkGraphics* device = renderDevice.get();
  c_Frame* f = FrameAt(image, frame);
  if (device == nullptr || f == nullptr) return;
  FlushMatrix();
  DrawFrame(device, image, f, x - image->handleX, y - image->handleY);
}

void DrawImage(c_Image* image, float x, float y, float rotation, float scaleX, float scaleY, int frame) {
  gxtkGraphics* device = renderDevice.get();
  c_Frame* f = FrameAt(image, frame);
  if (device == nullptr || f == nullptr) return;
  PushMatrix();
  Translate(x, y);
  Rotate(rotation);
  Scale(scaleX, scaleY);
  Translate(-image->handleX, -image->handleY);
  FlushMatrix();
  DrawFrame(device, image, f, 0, 0);
  PopMatrix();
}

void DrawImageRegion(c_Image* image, float x, float y, float srcX, float srcY, float srcW, float srcH) {
  gxtkGraphics* device = renderDevice.get();
  c_Frame* f = FrameAt(image, 0);
  if (device == nullptr || f == nullptr) return;
  FlushMatrix();
  device->DrawSurfaceRect(image->surface, x - image->handleX, y - image->handleY,
                          TruncateToInt(srcX) + f->x, TruncateToInt(srcY) + f->y, TruncateToInt(srcW),
                          TruncateToInt(srcH));
}
