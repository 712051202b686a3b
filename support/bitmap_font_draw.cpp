// Drawing and loading: the parts of the fonts that need the drawing interface
// and the host's files.
#include "host/files.h"
#include "runtime/error.h"
#include "support/bitmap_font.h"

c_Image* LoadFontImage(const String& path) { return LoadImage(path, 1, defaultImageFlags); }

void c_BitMapChar::LoadPendingImage() {
  if (imagePath.Empty() || image) return;
  c_Image* loaded = fontImageLoader(imagePath);
  if (loaded) {
    loaded->SetHandle(-metrics->drawingOffset->x, -metrics->drawingOffset->y);
    image = loaded;
    loadedImagePath = imagePath;
  }
  imagePath = String();
}

void c_BitmapFont::DrawText(const String& text, float x, float y, int align, int startPos, int endPos) {
  if (drawShadow) DrawGlyphLayer(text, x, y, shadowGlyphs, align, startPos, endPos);
  if (drawBorder) DrawGlyphLayer(text, x, y, borderGlyphs, align, startPos, endPos);
  DrawGlyphLayer(text, x, y, faceGlyphs, align, startPos, endPos);
}

void c_BitmapFont::DrawGlyphLayer(const String& text, float x, float y, const Array<c_BitMapChar*>& glyphs,
                                  int align, int startPos, int endPos) {
  LayoutGlyphLayer(text, x, y, glyphs, align, startPos, endPos, [this](c_BitMapChar* glyph, int penX, int penY) {
    glyph->LoadPendingImage();
    const float px = static_cast<float>(penX);
    const float py = static_cast<float>(penY);
    if (glyph->image) {
      DrawImage(glyph->image, px, py, 0);
    } else if (glyph->pageIndex > 0 && glyph->pageIndex < pageImages.Length() && pageImages[glyph->pageIndex]) {
      c_BitMapCharMetrics* metrics = glyph->metrics;
      DrawImageRegion(pageImages[glyph->pageIndex], px + metrics->drawingOffset->x, py + metrics->drawingOffset->y,
                      TruncateToInt(glyph->pagePosition->x), TruncateToInt(glyph->pagePosition->y),
                      TruncateToInt(glyph->pageSize->x), TruncateToInt(glyph->pageSize->y));
    }
  });
}

c_BitmapFont* LoadFont(const String& name) {
  c_BitmapFont* font = new c_BitmapFont;
  const String text = LoadTextFile(name);
  if (text.Empty()) Print(String("FONT ") + name + String(" WAS NOT FOUND!!!"));
  font->ParseFontDescription(text, name, true);
  return font;
}
