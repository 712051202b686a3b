// The game font "time.txt" parsed by the program's own font loader: every
// character from 32 to 126 has its shadow, border and face glyph on a page
// picture that exists (pages from 1), inside that picture, and text measures
// and lays out at about twenty pixels high.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "host/image_codec.h"
#include "runtime/gc.h"
#include "game/views/type_scale.h"
#include "support/bitmap_font.h"

namespace {

std::string DataFolder() {
  const char* dir = std::getenv("TARVEX_DATA_DIR");
  return dir ? dir : "data";
}

// Page pictures decoded by the image decoder; the loader hands the font an
// image of the page's size without a renderer.
std::map<std::string, std::pair<int, int>> pageSizes;

c_Image* DecodingLoader(const String& path) {
  std::string file = path.ToUtf8();
  std::ifstream in(file, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int width = 0, height = 0, components = 0;
  std::uint8_t* pixels = bytes.empty() ? nullptr
                                       : DecodeImage(bytes.data(), bytes.size(), &width, &height, &components);
  if (!pixels) return nullptr;
  FreeImagePixels(pixels);
  pageSizes[file] = {width, height};
  c_Image* image = new c_Image;
  image->width = width;
  image->height = height;
  return image;
}

class GameFont : public ::testing::Test {
 protected:
  void SetUp() override {
    GcInitLists();
    pageSizes.clear();
    fontImageLoader = DecodingLoader;
    std::string name = DataFolder() + "/time.txt";
    std::ifstream in(name, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty()) << name;
    font = new c_BitmapFont;
    font->ParseFontDescription(String::FromUtf8(text), String::FromUtf8(name), true);
  }
  void TearDown() override { fontImageLoader = LoadFontImage; }

  c_BitmapFont* font = nullptr;
};

TEST_F(GameFont, EveryPrintableCharacterHasThreeLayersOnLoadedPages) {
  ASSERT_GE(font->faceGlyphs.Length(), 127);
  ASSERT_FALSE(pageSizes.empty());
  for (int code = 32; code <= 126; ++code) {
    SCOPED_TRACE(code);
    for (const Array<c_BitMapChar*>* layer : {&font->shadowGlyphs, &font->borderGlyphs, &font->faceGlyphs}) {
      ASSERT_GT(layer->Length(), code);
      c_BitMapChar* glyph = (*layer)[code];
      ASSERT_NE(glyph, nullptr);
      // page 0 is never drawn
      ASSERT_GE(glyph->pageIndex, 1);
      ASSERT_LT(glyph->pageIndex, font->pageImages.Length());
      c_Image* page = font->pageImages[glyph->pageIndex];
      ASSERT_NE(page, nullptr);
      EXPECT_GE(glyph->pagePosition->x, 0.0f);
      EXPECT_GE(glyph->pagePosition->y, 0.0f);
      EXPECT_LE(glyph->pagePosition->x + glyph->pageSize->x, static_cast<float>(page->width));
      EXPECT_LE(glyph->pagePosition->y + glyph->pageSize->y, static_cast<float>(page->height));
      // the three layers advance alike, so they stack
      EXPECT_EQ(glyph->metrics->advance, font->faceGlyphs[code]->metrics->advance);
    }
    EXPECT_GT(font->faceGlyphs[code]->metrics->advance, 0.0f);
  }
}

TEST_F(GameFont, TextIsAboutTwentyPixelsHighAndFitsTheStatusStrip) {
  // the line height comes from the space's face glyph, and the views centre
  // their texts on the height they know
  float line = font->faceGlyphs[32]->metrics->drawingSize->y;
  EXPECT_GE(line, 20.0f);
  EXPECT_LE(line, 32.0f);
  EXPECT_EQ(line, kFontLineHeight);
  // each figure of the status strip fits its field, from its pen position
  // to the field's right end (the frame's fields, tools/data/screen_layout.py)
  struct Field {
    const char* text;
    float from, to;
  };
  const Field fields[] = {
      {"00000", 56, 134},                          // the score
      {"00000", 168, 246},                         // the iron
      {"15 \xc2\xb7 Outside is War", 258, 488},     // the level's longest name
      {"00:00", 994 - 74, 994},                    // the clock, right of the bar's frame
      {"TIME:", 498, 568},                         // on the send-off button, before its arrows
  };
  for (const Field& field : fields) {
    EXPECT_LT(font->TextWidth(String::FromUtf8(field.text)), field.to - field.from) << field.text;
  }
  // the longest level name fits its banner on the map
  EXPECT_LT(font->TextWidth(String("Outside is War")), 400.0f);
}

TEST_F(GameFont, CentredLinesLayOutOnTheirOwnCentre) {
  std::vector<std::pair<int, int>> pens;
  font->LayoutGlyphLayer(String("medium\nhigh"), 369.0f, 700.0f, font->faceGlyphs, AlignCenter, 1, -1,
                         [&](c_BitMapChar*, int x, int y) { pens.emplace_back(x, y); });
  ASSERT_EQ(pens.size(), 10u);
  EXPECT_LT(pens[0].first, 369);
  EXPECT_LT(pens[6].first, 369);
  EXPECT_GT(pens[6].first, pens[0].first);  // "high" is narrower than "medium"
  EXPECT_EQ(pens[6].second, 700 + static_cast<int>(font->faceGlyphs[32]->metrics->drawingSize->y));
}

}  // namespace
