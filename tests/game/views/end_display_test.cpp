// The end picture drawn with the game's own picture and font on a real window
// (Xvfb, llvmpipe), read back pixel by pixel: each of the campaign's final
// figures shows in its own field, and changing one changes that field alone.
#include <functional>
#include <vector>

#include "game/rules/state.h"
#include "game/views/end_figures.h"
#include "game/views/menu_view.h"
#include "tests/graphics/gl_fixture.h"

namespace {

gc_global<c_MenuView*> endView;

// A field's box around its centre, a little inside the dark recess.
constexpr int kHalfWidth = 70, kHalfHeight = 14;

class EndPictureTest : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    ResetGameState();
    view = new c_MenuView();
    endView = view;
    view->LoadMenuImages();
  }
  void TearDown() override {
    endView = nullptr;
    GlWindowTest::TearDown();
  }
  // The pixels of every field after drawing the end picture, field by field.
  std::vector<std::vector<std::uint32_t>> Fields(const LevelRecords& records) {
    gfx->ClearScreen(0, 0, 0);
    view->RenderTheEnd(records);
    gfx->Flush();
    std::vector<std::vector<std::uint32_t>> fields;
    for (const FieldCentre& centre : kEndFields) {
      std::vector<std::uint32_t> pixels;
      const int cx = static_cast<int>(centre.x), cy = static_cast<int>(centre.y);
      for (int y = cy - kHalfHeight; y <= cy + kHalfHeight; ++y) {
        for (int x = cx - kHalfWidth; x <= cx + kHalfWidth; ++x) pixels.push_back(Rgb(x, y));
      }
      fields.push_back(pixels);
    }
    return fields;
  }
  c_MenuView* view = nullptr;
};

struct FigureCase {
  const char* what;
  int field;  // 0 score, 1 gold, 2 time
  std::function<void(LevelRecords*)> change;
};

TEST_F(EndPictureTest, EachFinalFigureIsWrittenInItsOwnField) {
  ASSERT_NE(view->endImage.get(), nullptr);
  ASSERT_NE(view->font.get(), nullptr);
  const FigureCase cases[] = {
      {"score", 0, [](LevelRecords*) { gameState.progress.totalScore = 48250; }},
      {"gold", 1, [](LevelRecords*) { gameState.progress.totalGold = 3700; }},
      {"time", 2, [](LevelRecords* records) { records->RecordWin(1, 900, 754, false, 3); }},
  };
  for (const FigureCase& c : cases) {
    SCOPED_TRACE(c.what);
    ResetGameState();
    LevelRecords records;
    const auto before = Fields(records);
    c.change(&records);
    const auto after = Fields(records);
    for (int field = 0; field < kEndFigureCount; ++field) {
      int changed = 0;
      for (size_t i = 0; i < before[field].size(); ++i) changed += before[field][i] != after[field][i];
      if (field == c.field) {
        EXPECT_GT(changed, 40) << "field " << field << " does not show the new figure";
      } else {
        EXPECT_EQ(changed, 0) << "field " << field << " changed with another figure";
      }
    }
  }
}

// The figures are written in their pale colour over the dark field: the field
// is lit where the figure is, not just stained.
TEST_F(EndPictureTest, TheFiguresReadLightOnTheDarkFields) {
  gameState.progress.totalScore = 88888;
  gameState.progress.totalGold = 88888;
  LevelRecords records;
  records.RecordWin(15, 100, 5999, false, 1);
  for (const auto& pixels : Fields(records)) {
    int light = 0;
    for (std::uint32_t rgb : pixels) light += ((rgb >> 16) & 255) > 200 && ((rgb >> 8) & 255) > 180;
    EXPECT_GT(light, 40);
  }
}

}  // namespace
