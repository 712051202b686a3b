// The preview's verdict drawn for real (Xvfb, llvmpipe) and read back in
// greys: on the same ground, the tick of an order taken and the cross of one
// refused leave different pixels, so the two still tell apart without their
// colours.
#include <cmath>
#include <vector>

#include "game/rules/state.h"
#include "game/views/board_view.h"
#include "game/views/cue_marks.h"
#include "game/views/data_files.h"
#include "tests/graphics/gl_fixture.h"

namespace {

gc_global<c_BoardView*> marksView;

constexpr int kMarkSize = 18;
constexpr int kBox = kMarkSize + 8;  // the mark with its backing

class VerdictMarksDrawn : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    ResetGameState();
    marksView = new c_BoardView();
    marksView->LoadLevelImages();  // the pictures' texture the rectangles are drawn from
  }
  void TearDown() override {
    marksView = nullptr;
    GlWindowTest::TearDown();
  }
  // The box's pixels as greys (luma, 0..255) after the mark is drawn at (x, y)
  // over a sandy ground.
  std::vector<int> DrawnInGrey(bool taken, int x, int y) {
    SetColor(196, 170, 120);
    FillGameRect(static_cast<float>(x - 4), static_cast<float>(y - 4), kBox, kBox);
    DrawVerdictMark(taken, static_cast<float>(x), static_cast<float>(y), kMarkSize);
    gfx->Flush();
    std::vector<int> grey;
    for (int py = y - 4; py < y - 4 + kBox; ++py) {
      for (int px = x - 4; px < x - 4 + kBox; ++px) {
        const std::uint32_t rgb = Rgb(px, py);
        const double luma = 0.299 * ((rgb >> 16) & 255) + 0.587 * ((rgb >> 8) & 255) + 0.114 * (rgb & 255);
        grey.push_back(static_cast<int>(std::lround(luma)));
      }
    }
    return grey;
  }
};

TEST_F(VerdictMarksDrawn, TheTickAndTheCrossDifferInGrey) {
  gfx->ClearScreen(0, 0, 0);
  const std::vector<int> tick = DrawnInGrey(true, 100, 100);
  const std::vector<int> cross = DrawnInGrey(false, 200, 100);
  ASSERT_EQ(tick.size(), cross.size());
  int light = 0, differ = 0;
  for (std::size_t i = 0; i < tick.size(); ++i) {
    light += tick[i] > 180 || cross[i] > 180;
    differ += std::abs(tick[i] - cross[i]) > 60;
  }
  EXPECT_GT(light, 40) << "the marks are drawn in a light ink";
  EXPECT_GT(differ, light / 2) << "most of the ink of one is not the other's";
}

}  // namespace
