// Explosions and floating texts drawn with the game's own pictures and font on
// a real window (Xvfb, llvmpipe), read back pixel by pixel. The checks hold
// whatever the art looks like: an added explosion never darkens what lies
// under it, and a tinted text only shows its tint's channels.
#include <algorithm>
#include <functional>

#include "game/rules/board.h"
#include "game/rules/match.h"
#include "game/views/board_view.h"
#include "tests/graphics/gl_fixture.h"

namespace {

gc_global<Match*> effectsMatch;
gc_global<c_BoardView*> effectsView;

class EffectsDrawingTest : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    ResetGameState();
    match = new Match();
    effectsMatch = match;
    level = match->board;
    view = new c_BoardView();
    effectsView = view;
    view->LoadLevelImages();
    gfx->ClearScreen(0, 0, 0);
  }
  void TearDown() override {
    effectsMatch = nullptr;
    effectsView = nullptr;
    GlWindowTest::TearDown();
  }
  // Calls check on every pixel of the box; returns how many are not black.
  int LitPixels(int x0, int y0, int w, int h, const std::function<void(std::uint32_t)>& check) {
    gfx->Flush();
    int lit = 0;
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) {
        const std::uint32_t rgb = Rgb(x, y);
        if (rgb == 0) continue;
        ++lit;
        check(rgb);
      }
    }
    return lit;
  }
  Match* match = nullptr;
  c_cLevel* level = nullptr;
  c_BoardView* view = nullptr;
};

int Red(std::uint32_t rgb) { return (rgb >> 16) & 255; }
int Green(std::uint32_t rgb) { return (rgb >> 8) & 255; }
int Blue(std::uint32_t rgb) { return rgb & 255; }

TEST_F(EffectsDrawingTest, AnExplosionAddsLightToTheGroundUnderIt) {
  ASSERT_NE(view->explosionImage.get(), nullptr);
  const int left = CellLeft(3);
  const int top = CellTop(3);
  DrawImage(view->groundImages[0], left, top);
  gfx->Flush();
  std::vector<std::uint32_t> ground;
  for (int y = top; y < top + kCellSize; ++y) {
    for (int x = left; x < left + kCellSize; ++x) ground.push_back(Rgb(x, y));
  }
  level->AddExplosion(left + kCellSize / 2, top + kCellSize / 2);
  level->explosions[0]->frame = 2;
  view->DrawExplosions(*level);
  gfx->Flush();
  int brighter = 0;
  size_t i = 0;
  for (int y = top; y < top + kCellSize; ++y) {
    for (int x = left; x < left + kCellSize; ++x, ++i) {
      const std::uint32_t now = Rgb(x, y);
      const std::uint32_t before = ground[i];
      ASSERT_GE(Red(now), Red(before) - 1);
      ASSERT_GE(Green(now), Green(before) - 1);
      ASSERT_GE(Blue(now), Blue(before) - 1);
      brighter += now != before;
    }
  }
  EXPECT_GT(brighter, 100);
  EXPECT_EQ(graphicsContext->blend, 0);
}

// Over a dark shadow: every lit pixel is the tint or darker, and the tint
// itself shows.
TEST_F(EffectsDrawingTest, LossesShowInRedAndGainsInGoldAtTheirAlpha) {
  ASSERT_NE(view->levelFont.get(), nullptr);
  level->AddScoreText(-150, 100, 100);
  level->AddScoreText(150, 100, 300);
  level->AddScoreText(150, 100, 500);
  level->scoreTexts[2]->alpha = 0.5f;
  view->DrawScoreTexts(*level);
  int redTinted = 0;
  const int redLit = LitPixels(100, 100, 120, 60, [&](std::uint32_t rgb) {
    EXPECT_GE(Red(rgb), Green(rgb));
    EXPECT_GE(Red(rgb), Blue(rgb));
    redTinted += Red(rgb) > 200 && Green(rgb) < 90 && Blue(rgb) < 70;
  });
  int brightest[2] = {0, 0};
  int goldTinted = 0;
  for (int faded = 0; faded < 2; ++faded) {
    const int goldLit = LitPixels(100, 300 + 200 * faded, 120, 60, [&](std::uint32_t rgb) {
      EXPECT_GE(Red(rgb), Green(rgb));
      EXPECT_GE(Green(rgb), Blue(rgb));
      brightest[faded] = std::max(brightest[faded], Red(rgb));
      goldTinted += faded == 0 && Red(rgb) > 200 && Green(rgb) > 190 && Blue(rgb) < 60;
    });
    EXPECT_GT(goldLit, 20);
  }
  EXPECT_GT(redLit, 20);
  EXPECT_GT(redTinted, 10);
  EXPECT_GT(goldTinted, 10);
  EXPECT_LT(brightest[1], brightest[0] * 4 / 5);  // the half-faded one
  EXPECT_EQ(graphicsContext->alpha, 1.0f);
}

}  // namespace
