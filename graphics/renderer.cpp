#include "graphics/renderer.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <GL/gl.h>

#include "host/image_codec.h"
#include "host/game.h"

gc_global<gxtkGraphics*> currentGraphicsDevice;

namespace {

// Colour components to bytes: truncated toward zero, kept inside 0..255 so a
// colour or alpha out of range cannot spill into its neighbours.
std::uint8_t ToByte(float value) {
  if (!(value > 0)) return 0;
  if (value >= 255) return 255;
  return static_cast<std::uint8_t>(value);
}

int PowerOfTwoAtLeast(int n) {
  int p = 1;
  while (p < n && p < (1 << 30)) p <<= 1;
  return p;
}

int FormatForDepth(int depth) {
  switch (depth) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    default: return GL_RGBA;
  }
}

}  // namespace

// ---- Surfaces ----------------------------------------------------------------

gxtkSurface::~gxtkSurface() { Discard(); }

int gxtkSurface::Discard() {
  if (generation != -1 && generation == graphicsGeneration) {
    glDeleteTextures(1, &texture);
    generation = -1;
    texture = 0;
  }
  ReleasePixels();
  return 0;
}

bool gxtkSurface::FinishLoad() {
  Bind();
  return true;
}

void gxtkSurface::ReleasePixels() {
  if (decoderBlock_) {
    FreeImagePixels(pixels);
  } else {
    std::free(pixels);
  }
  pixels = nullptr;
  decoderBlock_ = false;
}

void gxtkSurface::SetPixelData(int newDepth, int newHeight, std::uint8_t* block, int newWidth) {
  ReleasePixels();
  PremultiplyPixels(block, newWidth, newHeight, newDepth);
  pixels = block;
  decoderBlock_ = true;
  width = newWidth;
  height = newHeight;
  depth = newDepth;
  format = FormatForDepth(newDepth);
}

void gxtkSurface::Bind() {
  if (graphicsGeneration == 0) return;
  if (generation == graphicsGeneration) {
    glBindTexture(GL_TEXTURE_2D, texture);
    return;
  }
  // A texture of an older generation died with its context: make a new one.
  generation = graphicsGeneration;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

  // Errors left over from earlier calls must not pass for a refused size.
  while (glGetError() != GL_NO_ERROR) {
  }
  int texWidth = width, texHeight = height;
  glTexImage2D(GL_TEXTURE_2D, 0, format, texWidth, texHeight, 0, format, GL_UNSIGNED_BYTE, nullptr);
  if (glGetError() != GL_NO_ERROR) {
    texWidth = PowerOfTwoAtLeast(width);
    texHeight = PowerOfTwoAtLeast(height);
    glTexImage2D(GL_TEXTURE_2D, 0, format, texWidth, texHeight, 0, format, GL_UNSIGNED_BYTE, nullptr);
  }
  uScale = 1.0f / static_cast<float>(texWidth);
  vScale = 1.0f / static_cast<float>(texHeight);

  if (pixels != nullptr) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, format, GL_UNSIGNED_BYTE, pixels);
  }
}

void gxtkSurface::WritePixels(const Array<int>& source, int x, int y, int w, int h, int offset,
                              int pitch) {
  if (format != GL_RGBA) return;
  if (w <= 0 || h <= 0 || x < 0 || y < 0 || x > width - w || y > height - h) return;
  // Every source element read must exist: rows start at offset + r * pitch.
  const long long first = offset;
  const long long lastRowStart = static_cast<long long>(offset) + static_cast<long long>(h - 1) * pitch;
  const long long length = source.Length();
  if (first < 0 || lastRowStart < 0 || first + w > length || lastRowStart + w > length) return;

  if (pixels == nullptr) {
    pixels = static_cast<std::uint8_t*>(std::malloc(std::size_t(width) * std::size_t(height) * 4));
    if (pixels == nullptr) return;
    decoderBlock_ = false;
  }
  for (int r = 0; r < h; ++r) {
    const int* row = source.begin() + offset + static_cast<long long>(r) * pitch;
    std::uint8_t* dst = pixels + (std::size_t(y + r) * std::size_t(width) + std::size_t(x)) * 4;
    for (int c = 0; c < w; ++c) {
      const std::uint32_t argb = static_cast<std::uint32_t>(row[c]);
      const std::uint32_t a = argb >> 24;
      dst[0] = static_cast<std::uint8_t>(((argb >> 16) & 255) * a / 255);
      dst[1] = static_cast<std::uint8_t>(((argb >> 8) & 255) * a / 255);
      dst[2] = static_cast<std::uint8_t>((argb & 255) * a / 255);
      dst[3] = static_cast<std::uint8_t>(a);
      dst += 4;
    }
  }
  if (generation != -1 && generation == graphicsGeneration) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, width);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, format, GL_UNSIGNED_BYTE,
                    pixels + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  }
}

// ---- Renderer ----------------------------------------------------------------

gxtkGraphics::gxtkGraphics() {
  ReadWindowSize();
  for (int k = 0; k < kBatchQuads; ++k) {
    std::uint16_t* q = quadIndices + k * 6;
    const std::uint16_t base = static_cast<std::uint16_t>(k * 4);
    q[0] = base;
    q[1] = static_cast<std::uint16_t>(base + 1);
    q[2] = static_cast<std::uint16_t>(base + 2);
    q[3] = base;
    q[4] = static_cast<std::uint16_t>(base + 2);
    q[5] = static_cast<std::uint16_t>(base + 3);
  }
  std::memset(vertices, 0, sizeof(vertices));
  UpdatePackedColour();
}

void gxtkGraphics::ReadWindowSize() {
  width = height = 0;
  if (currentGlfwGame != nullptr) currentGlfwGame->GetWindowSize(&width, &height);
}

int gxtkGraphics::BeginRender() {
  ReadWindowSize();
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  const char* base = reinterpret_cast<const char*>(vertices);
  glVertexPointer(2, GL_FLOAT, sizeof(gxtkVertex), base + 0);
  glTexCoordPointer(2, GL_FLOAT, sizeof(gxtkVertex), base + 8);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(gxtkVertex), base + 16);

  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_TEXTURE_2D);

  vertexCount = 0;
  counters = RenderCounters();
  return 1;
}

int gxtkGraphics::EndRender() {
  Flush();
  if (currentGlfwGame != nullptr) currentGlfwGame->SwapBuffers();
  return 0;
}

gxtkSurface* gxtkGraphics::LoadSurface(const String& path) {
  gxtkSurface* surface = new gxtkSurface();
  if (FillSurfaceFromFile(surface, path) == nullptr) return nullptr;
  surface->Bind();
  return surface;
}

gxtkSurface* gxtkGraphics::FillSurfaceFromFile(gxtkSurface* surface, const String& path) {
  if (currentGlfwGame == nullptr || surface == nullptr) return nullptr;
  int w = 0, h = 0, depth = 0;
  unsigned char* block = currentGlfwGame->ReadImageFile(path, &w, &h, &depth);
  if (block == nullptr) return nullptr;
  surface->SetPixelData(depth, h, block, w);
  return surface;
}

gxtkSurface* gxtkGraphics::CreateSurface(int w, int h) {
  gxtkSurface* surface = new gxtkSurface();
  surface->width = w;
  surface->height = h;
  surface->depth = 4;
  surface->format = GL_RGBA;
  surface->Bind();
  return surface;
}

int gxtkGraphics::ClearScreen(float r, float g, float b) {
  vertexCount = 0;
  glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  return 0;
}

void gxtkGraphics::UpdatePackedColour() {
  const std::uint8_t bytes[4] = {ToByte(red * alpha), ToByte(green * alpha), ToByte(blue * alpha),
                                 ToByte(alpha * 255)};
  std::memcpy(&packedColour, bytes, 4);
}

int gxtkGraphics::SetAlpha(float a) {
  alpha = a;
  UpdatePackedColour();
  return 0;
}

int gxtkGraphics::SetColor(float r, float g, float b) {
  red = r;
  green = g;
  blue = b;
  UpdatePackedColour();
  return 0;
}

int gxtkGraphics::SetBlend(int mode) {
  Flush();
  if (mode == 1) {
    glBlendFunc(GL_ONE, GL_ONE);
  } else {
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  }
  return 0;
}

int gxtkGraphics::SetScissor(int x, int y, int w, int h) {
  Flush();
  if (x == 0 && y == 0 && w == Width() && h == Height()) {
    glDisable(GL_SCISSOR_TEST);
  } else {
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, Height() - y - h, w, h);
  }
  return 0;
}

int gxtkGraphics::SetMatrix(float nix, float niy, float njx, float njy, float ntx, float nty) {
  ix = nix;
  iy = niy;
  jx = njx;
  jy = njy;
  tx = ntx;
  ty = nty;
  transformed = !(ix == 1 && iy == 0 && jx == 0 && jy == 1 && tx == 0 && ty == 0);
  return 0;
}

gxtkVertex* gxtkGraphics::Reserve(int count, int size, gxtkSurface* surface) {
  if (primitiveSize != size || primitiveSurface.get() != surface ||
      vertexCount + count > kBatchVertices) {
    Flush();
    primitiveSize = size;
    primitiveSurface = surface;
  }
  gxtkVertex* v = vertices + vertexCount;
  for (int i = 0; i < count; ++i) v[i].colour = packedColour;
  vertexCount += count;
  return v;
}

void gxtkGraphics::Place(gxtkVertex* v, float x, float y) const {
  if (transformed) {
    v->x = x * ix + y * jx + tx;
    v->y = x * iy + y * jy + ty;
  } else {
    v->x = x;
    v->y = y;
  }
}

void gxtkGraphics::Flush() {
  if (vertexCount == 0) return;
  gxtkSurface* surface = primitiveSurface.get();
  if (surface != nullptr) {
    glEnable(GL_TEXTURE_2D);
    surface->Bind();
  }
  switch (primitiveSize) {
    case 1:
      glDrawArrays(GL_POINTS, 0, vertexCount);
      counters.drawCalls += 1;
      break;
    case 2:
      glDrawArrays(GL_LINES, 0, vertexCount);
      counters.drawCalls += 1;
      break;
    case 3:
      glDrawArrays(GL_TRIANGLES, 0, vertexCount);
      counters.drawCalls += 1;
      break;
    case 4:
      if (capturedQuads != nullptr) capturedQuads->insert(capturedQuads->end(), vertices, vertices + vertexCount);
      glDrawElements(GL_TRIANGLES, vertexCount / 4 * 6, GL_UNSIGNED_SHORT, quadIndices);
      counters.drawCalls += 1;
      break;
    default:
      for (int first = 0; first + primitiveSize <= vertexCount; first += primitiveSize) {
        glDrawArrays(GL_TRIANGLE_FAN, first, primitiveSize);
        counters.drawCalls += 1;
      }
      break;
  }
  if (surface != nullptr) glDisable(GL_TEXTURE_2D);
  counters.vertices += vertexCount;
  vertexCount = 0;
}

int gxtkGraphics::DrawPoint(float x, float y) {
  Place(Reserve(1, 1, nullptr), x, y);
  return 0;
}

int gxtkGraphics::DrawLine(float x1, float y1, float x2, float y2) {
  gxtkVertex* v = Reserve(2, 2, nullptr);
  Place(v, x1, y1);
  Place(v + 1, x2, y2);
  return 0;
}

int gxtkGraphics::DrawRect(float x, float y, float w, float h) {
  gxtkVertex* v = Reserve(4, 4, nullptr);
  Place(v, x, y);
  Place(v + 1, x + w, y);
  Place(v + 2, x + w, y + h);
  Place(v + 3, x, y + h);
  return 0;
}

int gxtkGraphics::DrawOval(float x, float y, float w, float h) {
  const float rx = w * 0.5f;
  const float ry = h * 0.5f;
  float estimate;
  if (transformed) {
    estimate = std::sqrt((ix * rx) * (ix * rx) + (iy * rx) * (iy * rx)) +
               std::sqrt((jx * ry) * (jx * ry) + (jy * ry) * (jy * ry));
  } else {
    estimate = std::fabs(rx) + std::fabs(ry);
  }
  int n;
  if (!(estimate >= 12)) {  // also catches a NaN size
    n = 12;
  } else if (estimate > kBatchVertices) {
    n = kBatchVertices;
  } else {
    n = static_cast<int>(estimate) & ~3;
  }
  const float cx = x + rx;
  const float cy = y + ry;
  gxtkVertex* v = Reserve(n, n, nullptr);
  for (int i = 0; i < n; ++i) {
    const float theta = static_cast<float>(i) * 6.2831855f / static_cast<float>(n);
    Place(v + i, cx + rx * std::cos(theta), cy - ry * std::sin(theta));
  }
  return 0;
}

int gxtkGraphics::DrawPoly(const Array<float>& xy) {
  const int k = xy.Length() / 2;
  if (k < 1 || k > kBatchVertices) return 0;
  gxtkVertex* v = Reserve(k, k, nullptr);
  const float* p = xy.begin();
  for (int i = 0; i < k; ++i) Place(v + i, p[i * 2], p[i * 2 + 1]);
  return 0;
}

int gxtkGraphics::DrawTexturedPoly(const Array<float>& xyuv, gxtkSurface* surface, int srcX, int srcY) {
  const int k = xyuv.Length() / 4;
  if (k < 1 || k > kBatchVertices || surface == nullptr) return 0;
  gxtkVertex* v = Reserve(k, k, surface);
  const float* p = xyuv.begin();
  for (int i = 0; i < k; ++i) {
    Place(v + i, p[i * 4], p[i * 4 + 1]);
    v[i].u = (static_cast<float>(srcX) + p[i * 4 + 2]) * surface->uScale;
    v[i].v = (static_cast<float>(srcY) + p[i * 4 + 3]) * surface->vScale;
  }
  return 0;
}

namespace {
void SetCorners(gxtkVertex* v, float u0, float v0, float u1, float v1) {
  v[0].u = u0;
  v[0].v = v0;
  v[1].u = u1;
  v[1].v = v0;
  v[2].u = u1;
  v[2].v = v1;
  v[3].u = u0;
  v[3].v = v1;
}
}  // namespace

int gxtkGraphics::DrawSurface(gxtkSurface* surface, float x, float y) {
  if (surface == nullptr) return 0;
  const float w = static_cast<float>(surface->width);
  const float h = static_cast<float>(surface->height);
  gxtkVertex* v = Reserve(4, 4, surface);
  Place(v, x, y);
  Place(v + 1, x + w, y);
  Place(v + 2, x + w, y + h);
  Place(v + 3, x, y + h);
  SetCorners(v, 0, 0, w * surface->uScale, h * surface->vScale);
  return 0;
}

int gxtkGraphics::DrawSurfaceRect(gxtkSurface* surface, float x, float y, int srcX, int srcY, int srcW,
                                  int srcH) {
  if (surface == nullptr) return 0;
  const float sw = static_cast<float>(srcW);
  const float sh = static_cast<float>(srcH);
  gxtkVertex* v = Reserve(4, 4, surface);
  Place(v, x, y);
  Place(v + 1, x + sw, y);
  Place(v + 2, x + sw, y + sh);
  Place(v + 3, x, y + sh);
  const float us = surface->uScale, vs = surface->vScale;
  SetCorners(v, static_cast<float>(srcX) * us, static_cast<float>(srcY) * vs,
             static_cast<float>(srcX + srcW) * us, static_cast<float>(srcY + srcH) * vs);
  return 0;
}

int gxtkGraphics::ReadPixels(const Array<int>& out, int x, int y, int w, int h, int offset, int pitch) {
  Flush();
  if (w <= 0 || h <= 0) return 0;
  std::vector<std::uint32_t> rows(std::size_t(w) * std::size_t(h));
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, Height() - y - h, w, h, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
  // OpenGL gives the bottom row first; the array wants the top row first.
  // Rows that would fall outside the array are left out.
  const long long length = out.Length();
  for (int r = 0; r < h; ++r) {
    const long long start = static_cast<long long>(offset) + static_cast<long long>(r) * pitch;
    if (start < 0 || start + w > length) continue;
    std::memcpy(out.begin() + start, rows.data() + std::size_t(h - 1 - r) * std::size_t(w),
                std::size_t(w) * 4);
  }
  return 0;
}

int gxtkGraphics::WritePixels(gxtkSurface* surface, const Array<int>& source, int x, int y, int w, int h,
                              int offset, int pitch) {
  Flush();
  if (surface != nullptr) surface->WritePixels(source, x, y, w, h, offset, pitch);
  return 0;
}
