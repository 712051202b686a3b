// The batching renderer over fixed-function OpenGL with client vertex arrays,
// and the surfaces (pictures held as pixels and as a texture) it draws from.
//
// Every primitive is transformed on the processor by the current 2D affine
// matrix, coloured with one premultiplied colour and appended to a single batch
// of 1024 vertices. The batch goes to OpenGL only when the next primitive has a
// different size or texture, when it would overflow, when blending or scissor
// change, when pixels are read or written, and at the end of the frame.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/array.h"
#include "runtime/gc.h"
#include "runtime/string.h"

// One vertex exactly as OpenGL reads it: position, texture coordinate, and the
// premultiplied colour as red, green, blue, alpha bytes in that memory order.
struct gxtkVertex {
  float x;
  float y;
  float u;
  float v;
  std::uint32_t colour;
};
static_assert(sizeof(gxtkVertex) == 20, "the vertex layout handed to OpenGL is 20 bytes");

constexpr int kBatchVertices = 1024;
constexpr int kBatchQuads = kBatchVertices / 4;

class gxtkSurface : public Object {
 public:
  std::uint8_t* pixels = nullptr;  // rows from the top, depth bytes per pixel, premultiplied
  int width = 0;
  int height = 0;
  int depth = 0;
  int format = 0;
  int generation = -1;  // graphics generation of `texture`; -1 when there is none
  unsigned texture = 0;
  float uScale = 0;
  float vScale = 0;

  ~gxtkSurface() override;

  virtual int Discard();
  virtual int Width() { return width; }
  virtual int Height() { return height; }
  virtual int IsLoaded() { return 1; }
  virtual bool FinishLoad();

  // Takes ownership of a block from the image decoder and premultiplies it.
  void SetPixelData(int newDepth, int newHeight, std::uint8_t* block, int newWidth);
  // Binds the texture, creating it when this graphics generation has none yet.
  void Bind();
  // Stores ARGB integers premultiplied into the pixels and the texture. Does
  // nothing unless the surface is RGBA and the rectangle and the source range
  // lie inside the surface and the array.
  void WritePixels(const Array<int>& source, int x, int y, int w, int h, int offset, int pitch);

 private:
  void ReleasePixels();
  bool decoderBlock_ = false;  // pixels came from the image decoder, not malloc
};

// Per-frame figures for tests and benchmarks: reset by BeginRender.
struct RenderCounters {
  int drawCalls = 0;
  int vertices = 0;
};

class gxtkGraphics : public Object {
 public:
  int width = 0;
  int height = 0;
  std::uint32_t packedColour = 0xffffffffu;
  float red = 255, green = 255, blue = 255;
  float alpha = 1;
  float ix = 1, iy = 0, jx = 0, jy = 1, tx = 0, ty = 0;
  bool transformed = false;
  gxtkVertex vertices[kBatchVertices];
  std::uint16_t quadIndices[kBatchQuads * 6];
  int primitiveSize = 0;
  int vertexCount = 0;
  gc_ref<gxtkSurface> primitiveSurface;

  RenderCounters counters;
  // When set, every quad sent to OpenGL is also appended here (benchmarks
  // compare a frame with the same quads drawn by raw OpenGL).
  std::vector<gxtkVertex>* capturedQuads = nullptr;

  gxtkGraphics();
  void Mark() override { primitiveSurface.Mark(); }

  virtual int Width() { return width; }
  virtual int Height() { return height; }
  virtual int BeginRender();
  virtual int EndRender();
  virtual int ReleaseGraphics() { return 0; }
  virtual gxtkSurface* LoadSurface(const String& path);
  virtual gxtkSurface* FillSurfaceFromFile(gxtkSurface* surface, const String& path);
  virtual gxtkSurface* CreateSurface(int w, int h);
  virtual int ClearScreen(float r, float g, float b);
  virtual int SetAlpha(float a);
  virtual int SetColor(float r, float g, float b);
  virtual int SetBlend(int mode);
  virtual int SetScissor(int x, int y, int w, int h);
  virtual int SetMatrix(float nix, float niy, float njx, float njy, float ntx, float nty);
  virtual int DrawPoint(float x, float y);
  virtual int DrawRect(float x, float y, float w, float h);
  virtual int DrawLine(float x1, float y1, float x2, float y2);
  virtual int DrawOval(float x, float y, float w, float h);
  virtual int DrawPoly(const Array<float>& xy);
  virtual int DrawTexturedPoly(const Array<float>& xyuv, gxtkSurface* surface, int srcX, int srcY);
  virtual int DrawSurface(gxtkSurface* surface, float x, float y);
  virtual int DrawSurfaceRect(gxtkSurface* surface, float x, float y, int srcX, int srcY, int srcW,
                              int srcH);
  virtual int ReadPixels(const Array<int>& out, int x, int y, int w, int h, int offset, int pitch);
  virtual int WritePixels(gxtkSurface* surface, const Array<int>& source, int x, int y, int w, int h,
                          int offset, int pitch);

  // Sends the batch to OpenGL (nothing when it is empty).
  void Flush();

 private:
  // Makes room for `count` vertices of a primitive of `size` vertices drawn
  // from `surface` (null: untextured), flushing first when the batch cannot
  // take them. Returns where the vertices go; each already has the colour.
  gxtkVertex* Reserve(int count, int size, gxtkSurface* surface);
  void Place(gxtkVertex* v, float x, float y) const;
  void UpdatePackedColour();
  void ReadWindowSize();
};

// The renderer of the running application: set by the framework's start, read
// by the drawing interface.
extern gc_global<gxtkGraphics*> currentGraphicsDevice;
