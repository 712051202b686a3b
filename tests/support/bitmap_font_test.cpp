// Font descriptions parsed from strings, measuring and glyph placement. Pictures
// come from a loader that makes empty images, so no renderer is needed.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/bitmap_font.h"

namespace {

std::vector<std::string> requested;
std::set<std::string> missing;

c_Image* FakeLoader(const String& path) {
  requested.push_back(path.ToUtf8());
  if (missing.count(path.ToUtf8())) return nullptr;
  return new c_Image;
}

class BitmapFont : public ::testing::Test {
 protected:
  void SetUp() override {
    requested.clear();
    missing.clear();
    fontImageLoader = FakeLoader;
  }
  void TearDown() override { fontImageLoader = LoadFontImage; }

 public:

  c_BitmapFont* Parse(const std::string& text, const char* name = "fonts/time.txt", bool dynamic = true) {
    c_BitmapFont* font = new c_BitmapFont;
    font->ParseFontDescription(String::FromUtf8(text), String(name), dynamic);
    return font;
  }
};

// A packed record: code, layer, page, rectangle, unused, offset, size, advance.
std::string Packed(int code, const char* layer, int page, int w, int h, int ox, int oy, int advance) {
  return std::to_string(code) + "," + layer + "," + std::to_string(page) + ",5,6," + std::to_string(w) + "," +
         std::to_string(h) + ",0," + std::to_string(ox) + "," + std::to_string(oy) + "," + std::to_string(w) +
         "," + std::to_string(h) + "," + std::to_string(advance);
}

// A plain record: code, tag, 3 reserved, offset, size, advance, 1 reserved.
std::string Plain(int code, const char* tag, int w, int h, int advance, int ox = 0, int oy = 0) {
  return std::to_string(code) + "," + tag + ",0,0,0," + std::to_string(ox) + "," + std::to_string(oy) + "," +
         std::to_string(w) + "," + std::to_string(h) + "," + std::to_string(advance) + ",0,";
}

// A face-only font: space (32) 5 wide advancing 6 and 20 high, 'A' (65) 8 wide
// advancing 10, 'B' (66) 12 wide advancing 13, and '.' (46) 2 wide advancing 4.
c_BitmapFont* FaceFont(BitmapFont& t) {
  return t.Parse("P1.01," + Packed(32, "F", 1, 5, 20, 0, 0, 6) + ";" + Packed(46, "F", 1, 2, 3, 0, 17, 4) + ";" +
                 Packed(65, "F", 1, 8, 20, 1, 2, 10) + ";" + Packed(66, "F", 1, 12, 20, 0, 0, 13));
}

using Placement = std::tuple<int, int, int>;  // code (from the advance table), x, y

std::vector<Placement> Layout(c_BitmapFont* font, const std::string& text, float x, float y, int align,
                              int startPos = 1, int endPos = -1) {
  std::vector<Placement> out;
  font->LayoutGlyphLayer(String::FromUtf8(text), x, y, font->faceGlyphs, align, startPos, endPos,
                         [&](c_BitMapChar* glyph, int px, int py) {
                           int code = -1;
                           for (int c = 0; c < font->faceGlyphs.Length(); ++c)
                             if (font->faceGlyphs[c] == glyph) code = c;
                           out.emplace_back(code, px, py);
                         });
  return out;
}

TEST_F(BitmapFont, PackedFormatStoresGlyphsAndLoadsEachPageOnce) {
  c_BitmapFont* font = Parse("P1.01," + Packed(65, "F", 3, 8, 9, -1, -2, 10) + ";\n" +
                             Packed(65, "B", 3, 10, 11, -2, -3, 99) + ";" + Packed(300, "S", 1, 4, 4, 0, 0, 4));
  EXPECT_EQ(requested, (std::vector<std::string>{"fonts/time_P_3.png", "fonts/time_P_1.png"}));
  ASSERT_EQ(font->faceGlyphs.Length(), 301);
  ASSERT_EQ(font->borderGlyphs.Length(), 301);
  ASSERT_EQ(font->shadowGlyphs.Length(), 301);
  ASSERT_EQ(font->pageImages.Length(), 4);
  EXPECT_NE(font->pageImages[1], nullptr);
  EXPECT_EQ(font->pageImages[2], nullptr);
  EXPECT_NE(font->pageImages[3], nullptr);
  c_BitMapChar* a = font->faceGlyphs[65];
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->pageIndex, 3);
  EXPECT_EQ(a->pagePosition->x, 5.0f);
  EXPECT_EQ(a->pagePosition->y, 6.0f);
  EXPECT_EQ(a->pageSize->x, 8.0f);
  EXPECT_EQ(a->pageSize->y, 9.0f);
  EXPECT_EQ(a->metrics->drawingOffset->x, -1.0f);
  EXPECT_EQ(a->metrics->drawingOffset->y, -2.0f);
  EXPECT_EQ(a->metrics->drawingSize->x, 8.0f);
  EXPECT_EQ(a->metrics->drawingSize->y, 9.0f);
  EXPECT_EQ(a->metrics->advance, 10.0f);
  EXPECT_EQ(a->image.get(), nullptr);
  EXPECT_EQ(font->borderGlyphs[65]->metrics->advance, 99.0f);
  EXPECT_EQ(font->faceGlyphs[300], nullptr);
  EXPECT_NE(font->shadowGlyphs[300], nullptr);
}

TEST_F(BitmapFont, PackedHeaderChoosesThePageSeparator) {
  Parse("P1," + Packed(65, "F", 2, 1, 1, 0, 0, 1), "Big.TXT");
  Parse("P1.5," + Packed(65, "F", 2, 1, 1, 0, 0, 1), "plain");
  EXPECT_EQ(requested, (std::vector<std::string>{"Big.2.png", "plain2.png"}));
}

TEST_F(BitmapFont, MalformedPackedRecordsAreSkipped) {
  missing.insert("f_P_7.png");
  c_BitmapFont* font = Parse("P1.01," + Packed(65, "X", 1, 1, 1, 0, 0, 1) + ";" +  // unknown layer
                                 "66,F,1,0,0,4,4,0,0,0,4,4;" +                      // 12 fields
                                 Packed(70000, "F", 1, 1, 1, 0, 0, 1) + ";" +       // code too high
                                 Packed(-1, "F", 1, 1, 1, 0, 0, 1) + ";" +          // code negative
                                 Packed(67, "F", 256, 1, 1, 0, 0, 1) + ";" +        // page too high
                                 Packed(68, "F", -2, 1, 1, 0, 0, 1) + ";" +         // page negative
                                 Packed(69, "F", 7, 1, 1, 0, 0, 1) + ";" +          // page not loadable
                                 Packed(71, "F", 7, 1, 1, 0, 0, 1) + ";" +          // same page again
                                 Packed(50, "F", 1, 3, 3, 0, 0, 3),
                             "f.txt");
  EXPECT_EQ(requested, (std::vector<std::string>{"f_P_7.png", "f_P_1.png"}));
  ASSERT_EQ(font->faceGlyphs.Length(), 51);
  for (int c = 0; c < 51; ++c) EXPECT_EQ(font->faceGlyphs[c] != nullptr, c == 50) << c;
  EXPECT_EQ(font->pageImages.Length(), 2);
}

TEST_F(BitmapFont, PackedParsingStopsAtARecordWithFewerThanTwoFields) {
  c_BitmapFont* font = Parse("P1," + Packed(65, "F", 1, 1, 1, 0, 0, 1) + ";junk;" + Packed(90, "F", 1, 1, 1, 0, 0, 1));
  EXPECT_EQ(font->faceGlyphs.Length(), 66);
  font = Parse("P1");
  EXPECT_EQ(font->faceGlyphs.Length(), 1);
  EXPECT_EQ(font->pageImages.Length(), 1);
  EXPECT_EQ(font->faceGlyphs[0], nullptr);
}

TEST_F(BitmapFont, PlainFormatWithDynamicLoadingDefersThePictures) {
  c_BitmapFont* font = Parse(Plain(65, "{FC", 8, 9, 10, -1, -2) + "\n" + Plain(65, "{BR", 9, 9, 10) +
                             Plain(66, "{SH", 9, 9, 10) + Plain(67, "{FC", 5, 5, 6));
  EXPECT_TRUE(requested.empty());
  ASSERT_EQ(font->faceGlyphs.Length(), 68);
  c_BitMapChar* a = font->faceGlyphs[65];
  EXPECT_EQ(a->imagePath.ToUtf8(), "fonts/time_65.png");
  EXPECT_EQ(font->borderGlyphs[65]->imagePath.ToUtf8(), "fonts/time_BORDER_65.png");
  EXPECT_EQ(font->shadowGlyphs[66]->imagePath.ToUtf8(), "fonts/time_SHADOW_66.png");
  EXPECT_EQ(a->metrics->drawingOffset->x, -1.0f);
  EXPECT_EQ(a->metrics->drawingSize->y, 9.0f);
  EXPECT_EQ(a->metrics->advance, 10.0f);

  a->LoadPendingImage();
  ASSERT_NE(a->image.get(), nullptr);
  EXPECT_EQ(a->image->handleX, 1.0f);
  EXPECT_EQ(a->image->handleY, 2.0f);
  EXPECT_TRUE(a->imagePath.Empty());
  EXPECT_EQ(a->loadedImagePath.ToUtf8(), "fonts/time_65.png");
  // A picture that does not load is asked for once; the glyph keeps no picture.
  missing.insert("fonts/time_67.png");
  c_BitMapChar* c = font->faceGlyphs[67];
  c->LoadPendingImage();
  c->LoadPendingImage();
  EXPECT_EQ(c->image.get(), nullptr);
  EXPECT_EQ(std::count(requested.begin(), requested.end(), "fonts/time_67.png"), 1);
}

TEST_F(BitmapFont, PlainFormatWithoutDynamicLoadingLoadsAtOnce) {
  missing.insert("g_66.png");
  c_BitmapFont* font = Parse(Plain(65, "{FC", 8, 9, 10, 3, -4) + Plain(66, "{FC", 8, 9, 10), "g", false);
  EXPECT_EQ(requested, (std::vector<std::string>{"g_65.png", "g_66.png"}));
  ASSERT_NE(font->faceGlyphs[65]->image.get(), nullptr);
  EXPECT_EQ(font->faceGlyphs[65]->image->handleX, -3.0f);
  EXPECT_EQ(font->faceGlyphs[65]->image->handleY, 4.0f);
  // The glyph whose picture is missing is left out; the table still ends at the last record.
  ASSERT_EQ(font->faceGlyphs.Length(), 67);
  EXPECT_EQ(font->faceGlyphs[66], nullptr);
}

TEST_F(BitmapFont, PlainFormatReportsUnknownTagsAndGoesOn) {
  testing::internal::CaptureStdout();
  // After the unknown tag, parsing resumes at the token after it: "0" is read as
  // a code and "0" as a tag, and so on, until the record of 66 lines up again.
  c_BitmapFont* font = Parse("65,{XX,0,0," + Plain(66, "{FC", 4, 4, 5));
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "Error loading font! Char = 65\nError loading font! Char = 0\n");
  ASSERT_EQ(font->faceGlyphs.Length(), 67);
  EXPECT_NE(font->faceGlyphs[66], nullptr);
}

TEST_F(BitmapFont, PlainTablesEndAtTheLastRecordsCode) {
  c_BitmapFont* font = Parse(Plain(90, "{FC", 4, 4, 5) + Plain(65, "{FC", 4, 4, 5) + " \n ," + Plain(95, "{FC", 1, 1, 1));
  // The glyph for 90 is dropped by the cut; the blank token ends the description.
  ASSERT_EQ(font->faceGlyphs.Length(), 66);
  EXPECT_NE(font->faceGlyphs[65], nullptr);
}

TEST_F(BitmapFont, MalformedPlainRecordsNeverCrash) {
  c_BitmapFont* font = Parse(Plain(70000, "{FC", 4, 4, 5) + Plain(-3, "{FC", 4, 4, 5) + Plain(66, "{FC", 4, 4, 5) +
                             "67,{FC,0,0,0,1,2,3");
  ASSERT_EQ(font->faceGlyphs.Length(), 67);
  EXPECT_NE(font->faceGlyphs[66], nullptr);
  font = Parse("65");
  EXPECT_EQ(font->faceGlyphs.Length(), 1);
  font = Parse("");
  EXPECT_EQ(font->faceGlyphs.Length(), 1);
  EXPECT_EQ(font->TextWidth(String("AB")), 0.0f);
}

TEST_F(BitmapFont, TextWidthCountsTheLastGlyphWithItsDrawnWidth) {
  c_BitmapFont* font = FaceFont(*this);
  EXPECT_EQ(font->TextWidth(String("A")), 8.0f);
  EXPECT_EQ(font->TextWidth(String("AB")), 10.0f + 12.0f);
  // A trailing space counts with its advance, uncorrected.
  EXPECT_EQ(font->TextWidth(String("AB ")), 10.0f + 13.0f + 6.0f);
  // Characters without a glyph and carriage returns add nothing.
  EXPECT_EQ(font->TextWidth(String("A\rZB")), 22.0f);
  // Several lines: the widest.
  EXPECT_EQ(font->TextWidth(String("A\nBBB\nAB")), 13.0f + 13.0f + 12.0f);
  EXPECT_EQ(font->TextWidth(String("BBB\nA")), 38.0f);
  // Positions are 1-based and inclusive; out-of-range positions are clamped.
  EXPECT_EQ(font->TextWidth(String("ABB"), 2, 2), 12.0f);
  EXPECT_EQ(font->TextWidth(String("ABB"), -5, 99), 10.0f + 13.0f + 12.0f);
  EXPECT_EQ(font->TextWidth(String("")), 0.0f);
  EXPECT_EQ(font->TextWidth(String("AB"), 2, 1), 0.0f);
}

TEST_F(BitmapFont, KerningAddsAfterEveryGlyphAndBetweenLines) {
  c_BitmapFont* font = FaceFont(*this);
  c_DrawingPoint* k = font->Kerning();
  EXPECT_EQ(k, font->Kerning());
  EXPECT_EQ(k->x, 0.0f);
  EXPECT_EQ(k->y, 0.0f);
  k->x = 2.0f;
  k->y = 5.0f;
  EXPECT_EQ(font->TextWidth(String("AB")), 10.0f + 2.0f + 12.0f);
  EXPECT_EQ(Layout(font, "AB\nA", 0, 0, AlignLeft),
            (std::vector<Placement>{{65, 0, 0}, {66, 12, 0}, {65, 0, 25}}));
}

TEST_F(BitmapFont, PenStartsTruncatedAndSkipsCharactersWithoutGlyphs) {
  c_BitmapFont* font = FaceFont(*this);
  // 'Z' has no glyph: it takes no room at all.
  EXPECT_EQ(Layout(font, "AZB", 10.7f, 3.9f, AlignLeft), (std::vector<Placement>{{65, 10, 3}, {66, 20, 3}}));
  // A fractional kerning is truncated glyph by glyph.
  font->Kerning()->x = 0.5f;
  EXPECT_EQ(Layout(font, "AAA", 0, 0, AlignLeft), (std::vector<Placement>{{65, 0, 0}, {65, 10, 0}, {65, 20, 0}}));
}

TEST_F(BitmapFont, CentredLinesAreCentredSeparately) {
  c_BitmapFont* font = FaceFont(*this);
  // Line 1 "AB" is 22 wide (offset 11), line 2 "A" 8 wide (offset 4); the
  // second line is 20 lower, the height of the space glyph.
  EXPECT_EQ(Layout(font, "AB\nA", 100, 50, AlignCenter),
            (std::vector<Placement>{{65, 89, 50}, {66, 99, 50}, {65, 96, 70}}));
  EXPECT_EQ(Layout(font, "AB\nA", 100, 50, AlignRight),
            (std::vector<Placement>{{65, 78, 50}, {66, 88, 50}, {65, 92, 70}}));
  // Any other alignment draws like AlignLeft.
  EXPECT_EQ(Layout(font, "AB", 100, 50, 9), (std::vector<Placement>{{65, 100, 50}, {66, 110, 50}}));
  // An empty line moves down without drawing.
  EXPECT_EQ(Layout(font, "A\n\nA", 0, 0, AlignLeft), (std::vector<Placement>{{65, 0, 0}, {65, 0, 40}}));
}

TEST_F(BitmapFont, StartAndEndPositionsSelectTheCharacters) {
  c_BitmapFont* font = FaceFont(*this);
  EXPECT_EQ(Layout(font, "ABA", 0, 0, AlignLeft, 2, 2), (std::vector<Placement>{{66, 0, 0}}));
  EXPECT_EQ(Layout(font, "ABA", 0, 0, AlignLeft, 2, 99), (std::vector<Placement>{{66, 0, 0}, {65, 13, 0}}));
  EXPECT_TRUE(Layout(font, "ABA", 0, 0, AlignLeft, 3, 2).empty());
}

TEST_F(BitmapFont, ManyLineFeedsNeedNoDeepRecursion) {
  c_BitmapFont* font = FaceFont(*this);
  const std::string text = std::string(200000, '\n') + "A";
  const auto placed = Layout(font, text, 0, 0, AlignCenter);
  ASSERT_EQ(placed.size(), 1u);
  EXPECT_EQ(std::get<2>(placed[0]), 200000 * 20);
}

TEST_F(BitmapFont, AbsurdMetricsSaturateInsteadOfOverflowing) {
  c_BitmapFont* font = Parse("P1," + Packed(65, "F", 1, 2147483647, 2147483647, 0, 0, 2147483647));
  EXPECT_EQ(Layout(font, "AAA\nA", 0, 0, AlignRight),
            (std::vector<Placement>{{65, -2147483647, 0}, {65, 0, 0}, {65, 0, 0}, {65, -2147483647, 0}}));
  EXPECT_EQ(TruncateToInt(-3.9), -3);
  EXPECT_EQ(TruncateToInt(-1e20), -2147483647 - 1);
  EXPECT_EQ(TruncateToInt(0.0 / 0.0), 0);
}

}  // namespace
