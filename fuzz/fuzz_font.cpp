// Feeds arbitrary bytes, decoded as a text file, to the font description parser
// (both layouts, with and without dynamic loading), then measures and lays out
// text with the result. Pictures come from a loader that fails for some paths,
// so the skipping of records with missing pictures is exercised as well.
#include <cstddef>
#include <cstdint>

#include "support/bitmap_font.h"

namespace {

c_Image* SometimesMissing(const String& path) {
  unsigned hash = 0;
  for (int i = 0; i < path.Length(); ++i) hash = hash * 31 + path[i];
  return hash % 3 == 0 ? nullptr : new c_Image;
}

void CheckTables(c_BitmapFont* font) {
  const int n = font->faceGlyphs.Length();
  if (n < 1 || n > 65536 || font->borderGlyphs.Length() != n || font->shadowGlyphs.Length() != n) __builtin_trap();
  if (font->pageImages.Length() > 256) __builtin_trap();
  for (const auto* table : {&font->faceGlyphs, &font->borderGlyphs, &font->shadowGlyphs}) {
    for (int c = 0; c < n; ++c) {
      c_BitMapChar* glyph = (*table)[c];
      if (!glyph) continue;
      // Every packed glyph's page was loaded; a glyph loaded at once has its picture.
      const int page = glyph->pageIndex;
      if (page < 0) __builtin_trap();
      if (page > 0 && (page >= font->pageImages.Length() || !font->pageImages[page])) __builtin_trap();
      glyph->LoadPendingImage();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  GcInitLists();
  fontImageLoader = SometimesMissing;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const String text = DecodeText(data, size);
  c_BitmapFont* font = new c_BitmapFont;
  font->ParseFontDescription(text, String("fuzz.txt"), size % 2 == 0);
  CheckTables(font);
  // Measure and lay out the description itself: it holds line feeds, digits and
  // whatever codes the records named.
  font->TextWidth(text);
  font->TextWidth(text, 2, text.Length() / 2);
  int placed = 0;
  for (int align = AlignLeft; align <= AlignRight; ++align) {
    font->LayoutGlyphLayer(text, 3.5f, -7.25f, font->faceGlyphs, align, 1, -1,
                           [&placed](c_BitMapChar* glyph, int, int) { placed += glyph != nullptr; });
  }
  GcCollectAll();
  return 0;
}
