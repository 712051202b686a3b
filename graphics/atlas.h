// Pictures packed side by side into a few large surfaces ("pages"), so that a
// frame drawn from many small pictures stays in few batches: the renderer
// starts a new batch whenever the surface changes.
//
// Each picture keeps a border of its own edge pixels repeated around it, so
// filtering at its edge (a scaled or rotated draw) reads what a picture of
// its own would read with clamped edges, never a neighbour.
#pragma once

#include "graphics/drawing.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "runtime/string.h"

constexpr int kAtlasPageSize = 2048;
constexpr int kAtlasPadding = 2;

class c_ImageAtlas : public Object {
 public:
  explicit c_ImageAtlas(int pageSize = kAtlasPageSize);

  // LoadImage's two forms, with the picture placed on a page. Null when the
  // file cannot be loaded; a picture too large for a page gets a surface of
  // its own, exactly as LoadImage gives it.
  c_Image* Load(const String& path, int frameCount = 1, int flags = defaultImageFlags);
  c_Image* Load(const String& path, int frameWidth, int frameHeight, int frameCount, int flags);

  int PageCount() const { return pages.Length(); }
  void Mark() override;

  Array<gxtkSurface*> pages;

 private:
  // A one-frame image of the picture's region on a page, or null.
  c_Image* LoadRegion(const String& path);
  // Finds room for a w x h block on the last page, opening a page when needed.
  bool Allocate(int w, int h, int* x, int* y);
  void OpenPage();

  int pageSize_;
  int shelfX_ = 0;
  int shelfY_ = 0;
  int shelfHeight_ = 0;
};
