// Pictures packed side by side into a few large surfaces ("pages"), so that a
// frame drawn from many small pictures stays in few batches: the renderer
// starts a new batch whenever the surface changes.
//
// Each picture keeps a border of its own edge pixels repeated around it, so
// filtering at its edge (a scaled or rotated draw) reads what a picture of
// its own would read with clamped edges, never a neighbour.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/drawing.h"
#include "runtime/collections.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "runtime/string.h"

constexpr int kAtlasPageSize = 2048;
constexpr int kAtlasPadding = 2;
// Pictures whose frames are larger than a thirty-second of a page (the
// full-screen pictures, the panels, the larger tutorial pages) keep a surface
// of their own: they are drawn alone or rarely, and packing them would open a
// second, mostly empty page (each page costs its pixels twice: in memory and
// as a texture). A strip of small frames shares a page like a small picture.
constexpr int kAtlasPageShare = 32;
// Every page starts with a small block of white texels: a rectangle in one
// colour drawn from it (white times the colour is the colour) joins the
// page's batch instead of breaking it with an untextured draw.
constexpr int kAtlasWhiteSize = 4;

class c_ImageAtlas : public Object {
 public:
  explicit c_ImageAtlas(int pageSize = kAtlasPageSize);

  // LoadImage's two forms, with the picture placed on a page. Null when the
  // file cannot be loaded; a large picture gets a surface of its own. A
  // picture loaded again (the same path) is shared, not decoded again.
  c_Image* Load(const String& path, int frameCount = 1, int flags = defaultImageFlags);
  c_Image* Load(const String& path, int frameWidth, int frameHeight, int frameCount, int flags);

  int PageCount() const { return pages.Length(); }
  // DrawRect's rectangle in the current colour and alpha, drawn from the
  // first page's white block (plain DrawRect while there is no page).
  void FillRect(float x, float y, float w, float h);
  void Mark() override;

  Array<gxtkSurface*> pages;
  // Each loaded picture's whole region by path.
  gc_ref<c_StringMap2> regions;
  // The first page's white block, once a page exists.
  gc_ref<c_Image> white;

 private:
  struct Shelf {
    int y;
    int height;
    int usedWidth;
  };

  // A one-frame image of the whole picture (on a page, or alone), or null.
  // The frames it is going to be cut into (a frame size, or 0 and a count of
  // frames side by side) decide whether it shares a page; the first load of
  // a path decides for every later one.
  c_Image* LoadRegion(const String& path, int frameCount, int frameWidth, int frameHeight);
  c_Image* Place(std::uint8_t* pixels, int width, int height, int components, bool shares);
  // Finds room for a w x h block on the last page, opening a page when needed.
  bool Allocate(int w, int h, int* x, int* y);
  void OpenPage();
  void PlaceWhiteBlock();
  Array<int> Scratch(int length);

  Array<int> scratch_;
  int pageSize_;
  std::vector<Shelf> shelves_;  // on the last page
  int shelvesTop_ = 0;          // the last page's first row below every shelf
};
