// The drawing layer the game and the support libraries call: one graphics
// context holding colour, alpha, blend, scissor and the matrix with its stack;
// images (a surface cut into frames, with a handle and flags); image loading
// from the data folder; and the drawing calls. Every state call is forwarded to
// the render device at once, except the matrix, which is handed over only when
// something is drawn after it changed.
#pragma once

#include "graphics/renderer.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "runtime/string.h"

// Image flags.
constexpr int ImageCentreHandle = 1;
constexpr int ImagePadX = 2;
constexpr int ImagePadY = 4;
constexpr int ImageWholeSurface = 65536;

// Implemented by the bitmap fonts; declares nothing of its own.
class c_Font : public gc_interface {};

class c_Frame : public Object {
 public:
  int x = 0;
  int y = 0;
  c_Frame* m_new(int frameX, int frameY) {
    x = frameX;
    y = frameY;
    return this;
  }
};

class c_Image : public Object {
 public:
  gc_ref<gxtkSurface> surface;
  int width = 0;
  int height = 0;
  Array<c_Frame*> frames;
  int flags = 0;
  float handleX = 0;
  float handleY = 0;
  gc_ref<c_Image> source;

  void Mark() override;

  int Width() const { return width; }
  int Height() const { return height; }
  int Frames() const { return frames.Length(); }
  c_Image* SetHandle(float x, float y);

  // Frames side by side across the surface, each surface width / count wide.
  c_Image* InitFromSurface(gxtkSurface* picture, int frameCount, int imageFlags);
  // Frames of the given size cut row by row from a one-frame image; null when
  // `src` has several frames. Stops the program with "Image frame outside
  // surface" when the frames do not fit.
  c_Image* InitFromImage(c_Image* src, int frameWidth, int frameHeight, int frameCount, int imageFlags);

 private:
  void ApplyFlags(int imageFlags);
};

class c_GraphicsContext : public Object {
 public:
  static constexpr int kStackLevels = 32;

  gc_ref<c_Image> defaultFont;
  gc_ref<c_Image> font;
  int firstChar = 0;
  int matrixTop = 0;
  float ix = 1, iy = 0, jx = 0, jy = 1, tx = 0, ty = 0;
  int transformed = 0;
  int matrixDirty = 0;
  float colorR = 0, colorG = 0, colorB = 0;
  float alpha = 0;
  int blend = 0;
  float scissorX = 0, scissorY = 0, scissorW = 0, scissorH = 0;
  Array<float> matrixStack;

  c_GraphicsContext();

  void Mark() override;
};

extern gc_global<c_GraphicsContext*> graphicsContext;
// The renderer while a frame is being drawn, null otherwise.
extern gc_global<gxtkGraphics*> renderDevice;
extern int defaultImageFlags;

// Gives the drawing globals their initial values (the program's global
// initialisation calls it): a fresh context, no render device, flags 0.
void InitGraphicsGlobals();

// Frame bracket, called by the framework around the application's Render.
void BeginFrame();
void EndFrame();

void SetColor(float r, float g, float b);
void SetAlpha(float a);
void SetBlend(int mode);
void SetScissor(float x, float y, float w, float h);
void ClearToColor(float r, float g, float b);

void SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty);
void Transform(float a, float b, float c, float d, float e, float f);
void Translate(float x, float y);
void Scale(float sx, float sy);
void Rotate(float degrees);
void PushMatrix();
void PopMatrix();
// Hands the matrix to the render device if it changed since the last time.
void FlushMatrix();

void DrawRect(float x, float y, float w, float h);
void DrawImage(c_Image* image, float x, float y, int frame = 0);
void DrawImage(c_Image* image, float x, float y, float rotation, float scaleX, float scaleY, int frame = 0);
void DrawImageRegion(c_Image* image, float x, float y, float srcX, float srcY, float srcW, float srcH);

c_Image* LoadImage(const String& path, int frameCount = 1, int flags = defaultImageFlags);
c_Image* LoadImage(const String& path, int frameWidth, int frameHeight, int frameCount, int flags);

// Loads "glim_font.png" (96 frames, padded left and right) as the default and
// current font once; called by the framework when the application starts.
void LoadDefaultFont();
