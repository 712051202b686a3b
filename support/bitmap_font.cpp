#include "support/bitmap_font.h"

#include <cmath>
#include <vector>

#include "runtime/error.h"

namespace {

constexpr int kCodeCount = 65536;
constexpr int kPageCount = 256;

// Fields of a packed record.
constexpr int kPackedFields = 13;
// A plain record: code, tag, 3 reserved, 5 values, 1 reserved.
constexpr int kPlainReserved = 3;
constexpr int kPlainValues = 5;

bool ValidCode(int code) { return code >= 0 && code < kCodeCount; }

float IntField(const String& field) { return static_cast<float>(field.ToInt()); }

enum Layer { kBorder, kFace, kShadow, kNoLayer };

// The glyphs of a description, gathered in order and entered at the end into
// tables of their final length: a description names a few hundred codes, so
// full 65536-entry tables are never made. Nothing collects while a font is
// parsed, so the glyphs need no root in between.
class GlyphList {
 public:
  void Add(Layer layer, int code, c_BitMapChar* glyph) { entries_.push_back({layer, code, glyph}); }

  // Tables of lastCode + 1 entries; a later glyph of a code replaces an earlier
  // one, and glyphs above lastCode are dropped.
  void Fill(c_BitmapFont* font, int lastCode) const {
    Array<c_BitMapChar*> tables[3] = {Array<c_BitMapChar*>(lastCode + 1), Array<c_BitMapChar*>(lastCode + 1),
                                      Array<c_BitMapChar*>(lastCode + 1)};
    for (const Entry& e : entries_) {
      if (e.code <= lastCode) tables[e.layer][e.code] = e.glyph;
    }
    font->borderGlyphs = tables[kBorder];
    font->faceGlyphs = tables[kFace];
    font->shadowGlyphs = tables[kShadow];
  }

 private:
  struct Entry {
    Layer layer;
    int code;
    c_BitMapChar* glyph;
  };
  std::vector<Entry> entries_;
};

}  // namespace

FontImageLoader fontImageLoader = LoadFontImage;

// ---- glyphs -----------------------------------------------------------------

c_BitMapCharMetrics::c_BitMapCharMetrics() : drawingOffset(new c_DrawingPoint), drawingSize(new c_DrawingPoint) {}

void c_BitMapCharMetrics::Mark() {
  drawingOffset.Mark();
  drawingSize.Mark();
}

c_BitMapChar::c_BitMapChar()
    : pagePosition(new c_DrawingPoint), pageSize(new c_DrawingPoint), metrics(new c_BitMapCharMetrics) {}

void c_BitMapChar::Mark() {
  pagePosition.Mark();
  pageSize.Mark();
  metrics.Mark();
  image.Mark();
}

// ---- parsing ----------------------------------------------------------------

void c_BitmapFont::ParseFontDescription(const String& text, const String& fontName, bool dynamicLoading) {
  String prefix = fontName;
  if (fontName.ToLower().EndsWith(String(".txt"))) prefix = fontName.Slice(0, fontName.Length() - 4);
  if (text.StartsWith(String("P1"))) {
    ParsePacked(text, prefix);
  } else {
    ParsePlain(text, prefix, dynamicLoading);
  }
}

void c_BitmapFont::ParsePacked(const String& text, const String& prefix) {
  const int comma = text.Find(String(","));
  const String header = comma < 0 ? text : text.Slice(0, comma);
  String pageSeparator;
  if (header == String("P1")) {
    pageSeparator = String(".");
  } else if (header == String("P1.01")) {
    pageSeparator = String("_P_");
  }
  GlyphList glyphs;
  pageImages = Array<c_Image*>(kPageCount);
  // Pages that failed to load are not asked for again.
  bool pageFailed[kPageCount] = {};
  int maxCode = 0;
  int maxPage = 0;
  const String body = comma < 0 ? String() : text.Slice(comma + 1);
  Array<String> records = body.Split(String(";"));
  for (int r = 0; r < records.Length(); ++r) {
    Array<String> fields = records[r].Split(String(","));
    if (fields.Length() < 2) break;
    // Malformed records are skipped: too few fields, an unknown layer, a code
    // or page out of range, or a page picture that does not load.
    if (fields.Length() < kPackedFields) continue;
    const int code = fields[0].ToInt();
    const String layer = fields[1].Trim();
    const int page = fields[2].ToInt();
    Layer table = kNoLayer;
    if (layer == String("B")) {
      table = kBorder;
    } else if (layer == String("F")) {
      table = kFace;
    } else if (layer == String("S")) {
      table = kShadow;
    }
    if (table == kNoLayer || !ValidCode(code) || page < 0 || page >= kPageCount) continue;
    if (!pageImages[page]) {
      if (pageFailed[page]) continue;
      c_Image* image = fontImageLoader(prefix + pageSeparator + String::FromInt(page) + String(".png"));
      if (!image) {
        pageFailed[page] = true;
        continue;
      }
      pageImages[page] = image;
      if (page > maxPage) maxPage = page;
    }
    c_BitMapChar* glyph = new c_BitMapChar;
    glyph->pageIndex = page;
    glyph->pagePosition->x = IntField(fields[3]);
    glyph->pagePosition->y = IntField(fields[4]);
    glyph->pageSize->x = IntField(fields[5]);
    glyph->pageSize->y = IntField(fields[6]);
    glyph->metrics->drawingOffset->x = IntField(fields[8]);
    glyph->metrics->drawingOffset->y = IntField(fields[9]);
    glyph->metrics->drawingSize->x = IntField(fields[10]);
    glyph->metrics->drawingSize->y = IntField(fields[11]);
    glyph->metrics->advance = IntField(fields[12]);
    glyphs.Add(table, code, glyph);
    if (code > maxCode) maxCode = code;
  }
  glyphs.Fill(this, maxCode);
  pageImages = pageImages.Resize(maxPage + 1);
}

void c_BitmapFont::ParsePlain(const String& text, const String& prefix, bool dynamicLoading) {
  GlyphList glyphs;
  int lastCode = 0;
  Array<String> tokens = text.Split(String(","));
  const int count = tokens.Length();
  int i = 0;
  while (i < count) {
    if (tokens[i].Trim().Empty()) break;
    const int code = tokens[i].ToInt();
    // A code without its tag ends the description.
    if (i + 1 >= count) break;
    const String& tag = tokens[i + 1];
    i += 2;
    Layer table = kNoLayer;
    String picture;
    if (tag == String("{BR")) {
      table = kBorder;
      picture = prefix + String("_BORDER_");
    } else if (tag == String("{SH")) {
      table = kShadow;
      picture = prefix + String("_SHADOW_");
    } else if (tag == String("{FC")) {
      table = kFace;
      picture = prefix + String("_");
    } else {
      Print(String("Error loading font! Char = ") + String::FromInt(code));
      continue;
    }
    const int values = i + kPlainReserved;
    // A record cut short by the end of the text is dropped, and so is the rest.
    if (values + kPlainValues > count) break;
    i = values + kPlainValues + 1;
    if (!ValidCode(code)) continue;
    lastCode = code;
    c_BitMapChar* glyph = new c_BitMapChar;
    c_BitMapCharMetrics* metrics = glyph->metrics;
    metrics->drawingOffset->x = IntField(tokens[values]);
    metrics->drawingOffset->y = IntField(tokens[values + 1]);
    metrics->drawingSize->x = IntField(tokens[values + 2]);
    metrics->drawingSize->y = IntField(tokens[values + 3]);
    metrics->advance = IntField(tokens[values + 4]);
    const String path = picture + String::FromInt(code) + String(".png");
    if (dynamicLoading) {
      glyph->imagePath = path;
    } else {
      c_Image* image = fontImageLoader(path);
      if (!image) continue;  // a glyph without its picture is left out
      image->SetHandle(-metrics->drawingOffset->x, -metrics->drawingOffset->y);
      glyph->image = image;
    }
    glyphs.Add(table, code, glyph);
  }
  glyphs.Fill(this, lastCode);
}

// ---- measuring --------------------------------------------------------------

c_DrawingPoint* c_BitmapFont::Kerning() {
  if (!kerning) kerning = new c_DrawingPoint;
  return kerning;
}

c_BitMapChar* c_BitmapFont::FaceGlyph(int code) const {
  if (code < 0 || code >= faceGlyphs.Length()) return nullptr;
  return faceGlyphs[code];
}

float c_BitmapFont::TextWidth(const String& text, int fromPos, int toPos) {
  float lineWidth = 0.0f;
  float maxWidth = 0.0f;
  int last = 0;
  if (fromPos < 1) fromPos = 1;
  if (toPos > text.Length()) toPos = text.Length();
  const float kerningX = Kerning()->x;
  for (int i = fromPos; i <= toPos; ++i) {
    const int c = text[i - 1];
    if (c == 10) {
      if (std::fabs(lineWidth) > std::fabs(maxWidth)) {
        // The last glyph of the line counts with its drawn width, not its advance.
        c_BitMapChar* glyph = FaceGlyph(last);
        maxWidth = lineWidth - kerningX;
        if (glyph) maxWidth = maxWidth - glyph->metrics->advance + glyph->metrics->drawingSize->x;
      }
      lineWidth = 0.0f;
      last = 10;
    } else if (c != 13) {
      if (c_BitMapChar* glyph = FaceGlyph(c)) {
        lineWidth = lineWidth + glyph->metrics->advance + kerningX;
        last = c;
      }
    }
  }
  if (last != 32) {
    if (c_BitMapChar* glyph = FaceGlyph(last)) {
      lineWidth = lineWidth - glyph->metrics->advance + glyph->metrics->drawingSize->x;
    }
  }
  if (std::fabs(lineWidth) > std::fabs(maxWidth)) maxWidth = lineWidth - kerningX;
  return maxWidth;
}

int c_BitmapFont::LineAlignOffset(const String& text, int startPos, int align) {
  if (align != AlignCenter && align != AlignRight) return 0;
  // The search starts one past the line's first character, as the line's own
  // line feed (when it starts with one) is not its end.
  int end = text.Find(String(u"\n"), startPos);
  if (end < 0) end = text.Length();
  const float width = TextWidth(text, startPos, end);
  return align == AlignCenter ? TruncateToInt(width * 0.5f) : TruncateToInt(width);
}

void c_BitmapFont::Mark() {
  borderGlyphs.Mark();
  faceGlyphs.Mark();
  shadowGlyphs.Mark();
  pageImages.Mark();
  kerning.Mark();
}
