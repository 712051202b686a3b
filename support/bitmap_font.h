// Bitmap fonts: text drawn from pre-rendered glyph pictures in up to three
// layers (shadow, border, face) stacked at the same pen positions.
//
// A font description lists every glyph with its metrics. The packed layouts
// ("P1", "P1.01") cut the glyphs from a few page pictures; the plain layout has
// one picture per glyph, loaded when the glyph is first drawn.
#pragma once

#include "graphics/drawing.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "runtime/string.h"

// Truncation toward zero that saturates instead of overflowing: glyph metrics
// come from files and may be absurd. Not-a-number gives 0.
inline int TruncateToInt(double v) {
  if (v != v) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(v);
}

constexpr int AlignLeft = 1;
constexpr int AlignCenter = 2;
constexpr int AlignRight = 3;

class c_DrawingPoint : public Object {
 public:
  c_DrawingPoint() = default;
  c_DrawingPoint(float px, float py) : x(px), y(py) {}
  float x = 0.0f;
  float y = 0.0f;
};

class c_BitMapCharMetrics : public Object {
 public:
  c_BitMapCharMetrics();
  void Mark() override;

  gc_ref<c_DrawingPoint> drawingOffset;
  gc_ref<c_DrawingPoint> drawingSize;
  float advance = 0.0f;
};

class c_BitMapChar : public Object {
 public:
  c_BitMapChar();
  void Mark() override;
  // Loads a glyph picture still waiting in imagePath. A picture that does not
  // load is not asked for again; the glyph then draws nothing.
  void LoadPendingImage();

  int pageIndex = 0;
  gc_ref<c_DrawingPoint> pagePosition;
  gc_ref<c_DrawingPoint> pageSize;
  gc_ref<c_BitMapCharMetrics> metrics;
  gc_ref<c_Image> image;
  String imagePath;
  String loadedImagePath;
};

class c_BitmapFont : public Object, public c_Font {
 public:
  // Parses a font description; the packed layouts ignore dynamicLoading.
  void ParseFontDescription(const String& text, const String& fontName, bool dynamicLoading);

  void DrawText(const String& text, float x, float y, int align = AlignLeft, int startPos = 1, int endPos = -1);
  void DrawGlyphLayer(const String& text, float x, float y, const Array<c_BitMapChar*>& glyphs, int align,
                      int startPos, int endPos);
  float TextWidth(const String& text, int fromPos, int toPos);
  float TextWidth(const String& text) { return TextWidth(text, 1, text.Length()); }
  // Extra space after every glyph (x) and between lines (y); (0, 0) unless changed.
  c_DrawingPoint* Kerning();

  // Calls place(glyph, x, y) for every glyph of the layer that DrawGlyphLayer
  // draws, with the integer pen position the glyph is drawn at (alignment
  // applied, drawing offset not). Lines are laid out one after another.
  template <class Place>
  void LayoutGlyphLayer(const String& text, float x, float y, const Array<c_BitMapChar*>& glyphs, int align,
                        int startPos, int endPos, Place&& place);

  void Mark() override;

  Array<c_BitMapChar*> borderGlyphs;
  Array<c_BitMapChar*> faceGlyphs;
  Array<c_BitMapChar*> shadowGlyphs;
  Array<c_Image*> pageImages;
  bool drawShadow = true;
  gc_ref<c_DrawingPoint> kerning;
  bool drawBorder = true;

 private:
  void ParsePacked(const String& text, const String& prefix);
  void ParsePlain(const String& text, const String& prefix, bool dynamicLoading);
  // The face glyph of a code, or null when the face layer has none.
  c_BitMapChar* FaceGlyph(int code) const;
  int LineAlignOffset(const String& text, int startPos, int align);
};

// Reads the font description of that name from the data folder and parses it
// with dynamic glyph loading. A missing or empty file prints
// "FONT <name> WAS NOT FOUND!!!" and gives a font without glyphs.
c_BitmapFont* LoadFont(const String& name);

// How fonts load their glyph and page pictures: one frame, default image flags,
// through the drawing interface. Tests and fuzzers put their own loader here.
using FontImageLoader = c_Image* (*)(const String& path);
extern FontImageLoader fontImageLoader;
c_Image* LoadFontImage(const String& path);

// ---- template definition ----------------------------------------------------

template <class Place>
void c_BitmapFont::LayoutGlyphLayer(const String& text, float x, float y, const Array<c_BitMapChar*>& glyphs,
                                    int align, int startPos, int endPos, Place&& place) {
  const int lineStartX = TruncateToInt(x);
  int penY = TruncateToInt(y);
  const int length = text.Length();
  if (endPos == -1 || endPos > length) endPos = length;
  if (startPos < 1) startPos = 1;
  const int tableLength = glyphs.Length();
  // Each pass draws one line; a line feed moves down and starts the next pass
  // from the same left edge with its own alignment.
  while (startPos <= endPos) {
    int penX = lineStartX;
    const int xOffset = align == AlignLeft ? 0 : LineAlignOffset(text, startPos, align);
    int next = endPos + 1;
    for (int i = startPos; i <= endPos; ++i) {
      const int c = text[i - 1];
      if (c >= tableLength) continue;
      if (c == 10) {
        c_BitMapChar* space = FaceGlyph(32);
        const int lineHeight = space ? TruncateToInt(space->metrics->drawingSize->y) : 0;
        penY = TruncateToInt(Kerning()->y + static_cast<float>(lineHeight) + static_cast<float>(penY));
        next = i + 1;
        break;
      }
      c_BitMapChar* glyph = glyphs[c];
      if (!glyph) continue;
      place(glyph, TruncateToInt(static_cast<double>(penX) - xOffset), penY);
      c_BitMapChar* face = FaceGlyph(c);
      const float advance = face ? face->metrics->advance : 0.0f;
      penX = TruncateToInt(Kerning()->x + advance + static_cast<float>(penX));
    }
    if (next > endPos) break;
    startPos = next;
  }
}
