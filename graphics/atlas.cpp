#include "graphics/atlas.h"

#include <cstdint>

#include "host/image_codec.h"
#include "host/files.h"
#include "host/game.h"

namespace {

// Rows written at a time when a new page is cleared.
constexpr int kClearRows = 64;
// The white block with its border: the first shelf of every page.
constexpr int kWhiteBlockSide = kAtlasWhiteSize + 2 * kAtlasPadding;

// ARGB of pixel (x, y) of a decoded picture with 1 to 4 components.
std::uint32_t ArgbAt(const std::uint8_t* pixels, int width, int components, int x, int y) {
  const std::uint8_t* p = pixels + (static_cast<std::size_t>(y) * width + x) * components;
  std::uint32_t r, g, b, a;
  switch (components) {
    case 1: r = g = b = p[0]; a = 255; break;
    case 2: r = g = b = p[0]; a = p[1]; break;
    case 3: r = p[0]; g = p[1]; b = p[2]; a = 255; break;
    default: r = p[0]; g = p[1]; b = p[2]; a = p[3]; break;
  }
  return (a << 24) | (r << 16) | (g << 8) | b;
}

int Clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

}  // namespace

c_ImageAtlas::c_ImageAtlas(int pageSize) : regions(new c_StringMap2()), pageSize_(pageSize) {}

void c_ImageAtlas::Mark() {
  pages.Mark();
  regions.Mark();
  white.Mark();
  scratch_.Mark();
}

// One buffer for every block written to a page, grown when needed: a fresh
// array per picture would leave megabytes of garbage for the collector
// during start-up.
Array<int> c_ImageAtlas::Scratch(int length) {
  if (scratch_.Length() < length) scratch_ = Array<int>(length);
  return scratch_;
}

void c_ImageAtlas::OpenPage() {
  gxtkSurface* page = currentGraphicsDevice->CreateSurface(pageSize_, pageSize_);
  Array<int> clear = Scratch(pageSize_ * kClearRows);
  for (int i = 0; i < pageSize_ * kClearRows; ++i) clear[i] = 0;
  for (int y = 0; y < pageSize_; y += kClearRows) page->WritePixels(clear, 0, y, pageSize_, kClearRows, 0, pageSize_);
  pages = pages.Resize(pages.Length() + 1);
  pages[pages.Length() - 1] = page;
  shelves_.clear();
  shelvesTop_ = 0;
  PlaceWhiteBlock();
}

void c_ImageAtlas::PlaceWhiteBlock() {
  const int side = kWhiteBlockSide;
  int x = 0, y = 0;
  Allocate(side, side, &x, &y);
  Array<int> opaqueWhite(side * side);
  for (int& pixel : opaqueWhite) pixel = -1;
  pages[pages.Length() - 1]->WritePixels(opaqueWhite, x, y, side, side, 0, side);
  if (white.get() != nullptr) return;
  c_Image* block = new c_Image();
  block->surface = pages[0];
  block->width = block->height = kAtlasWhiteSize;
  block->frames = Array<c_Frame*>(1);
  block->frames[0] = (new c_Frame())->m_new(x + kAtlasPadding, y + kAtlasPadding);
  white = block;
}

void c_ImageAtlas::FillRect(float x, float y, float w, float h) {
  if (white.get() == nullptr) {
    DrawRect(x, y, w, h);
    return;
  }
  const float texels = static_cast<float>(kAtlasWhiteSize);
  DrawImage(white, x, y, 0, w / texels, h / texels);
}

// Shelves: pictures go left to right along shelves. A picture takes the
// lowest shelf that is tall enough and has room left, so short pictures fill
// the ends of taller shelves; when none has room, a new shelf exactly as tall
// as the picture opens below the others, and when the page has no height
// left, a new page opens.
bool c_ImageAtlas::Allocate(int w, int h, int* x, int* y) {
  // Below the white block's shelf a fresh page has this much height.
  if (w > pageSize_ || h > pageSize_ - kWhiteBlockSide) return false;
  if (pages.Length() == 0) OpenPage();
  Shelf* best = nullptr;
  for (Shelf& shelf : shelves_) {
    if (shelf.height >= h && shelf.usedWidth + w <= pageSize_ && (best == nullptr || shelf.height < best->height)) {
      best = &shelf;
    }
  }
  if (best == nullptr) {
    if (shelvesTop_ + h > pageSize_) OpenPage();
    shelves_.push_back(Shelf{shelvesTop_, h, 0});
    shelvesTop_ += h;
    best = &shelves_.back();
  }
  *x = best->usedWidth;
  *y = best->y;
  best->usedWidth += w;
  return true;
}

c_Image* c_ImageAtlas::LoadRegion(const String& path, int frameCount, int frameWidth, int frameHeight) {
  if (Object* known = regions->Get(path)) return static_cast<c_Image*>(known);
  if (currentGlfwGame == nullptr || currentGraphicsDevice.get() == nullptr) return nullptr;
  int width = 0, height = 0, components = 0;
  std::uint8_t* pixels = currentGlfwGame->ReadImageFile(ResolveDataPath(path), &width, &height, &components);
  if (pixels == nullptr) return nullptr;
  if (frameWidth <= 0) {
    frameWidth = width / (frameCount < 1 ? 1 : frameCount);
    frameHeight = height;
  }
  const bool shares = static_cast<long long>(frameWidth) * frameHeight * kAtlasPageShare <=
                      static_cast<long long>(pageSize_) * pageSize_;
  c_Image* region = Place(pixels, width, height, components, shares);
  regions->Set(path, region);
  return region;
}

c_Image* c_ImageAtlas::Place(std::uint8_t* pixels, int width, int height, int components, bool shares) {
  const int pad = kAtlasPadding;
  const int blockW = width + 2 * pad, blockH = height + 2 * pad;
  int bx = 0, by = 0;
  if (!shares || !Allocate(blockW, blockH, &bx, &by)) {
    // A surface of its own takes the decoded block as it is.
    gxtkSurface* alone = new gxtkSurface();
    alone->SetPixelData(components, height, pixels, width);
    alone->Bind();
    return (new c_Image())->InitFromSurface(alone, 1, 0);
  }
  // The picture with its edge pixels repeated pad times on every side.
  Array<int> block = Scratch(blockW * blockH);
  int* out = block.begin();
  for (int y = 0; y < blockH; ++y) {
    const int sy = Clamp(y - pad, 0, height - 1);
    for (int x = 0; x < pad; ++x) *out++ = static_cast<int>(ArgbAt(pixels, width, components, 0, sy));
    for (int x = 0; x < width; ++x) *out++ = static_cast<int>(ArgbAt(pixels, width, components, x, sy));
    for (int x = 0; x < pad; ++x) *out++ = static_cast<int>(ArgbAt(pixels, width, components, width - 1, sy));
  }
  FreeImagePixels(pixels);
  gxtkSurface* page = pages[pages.Length() - 1];
  page->WritePixels(block, bx, by, blockW, blockH, 0, blockW);

  c_Image* region = new c_Image();
  region->surface = page;
  region->width = width;
  region->height = height;
  region->frames = Array<c_Frame*>(1);
  region->frames[0] = (new c_Frame())->m_new(bx + pad, by + pad);
  return region;
}

c_Image* c_ImageAtlas::Load(const String& path, int frameCount, int flags) {
  c_Image* region = LoadRegion(path, frameCount, 0, 0);
  if (region == nullptr) return nullptr;
  if (frameCount < 1) frameCount = 1;
  return (new c_Image())->InitFromImage(region, region->width / frameCount, region->height, frameCount, flags);
}

c_Image* c_ImageAtlas::Load(const String& path, int frameWidth, int frameHeight, int frameCount, int flags) {
  c_Image* region = LoadRegion(path, frameCount, frameWidth, frameHeight);
  if (region == nullptr) return nullptr;
  return (new c_Image())->InitFromImage(region, frameWidth, frameHeight, frameCount, flags);
}
