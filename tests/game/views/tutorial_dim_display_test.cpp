// A tutorial page over the board: the whole screen steps back behind it but
// the part the page speaks of, which keeps its own colours. Drawn on a real
// window (Xvfb, llvmpipe) and read back, page by page.
#include <cstdint>
#include <vector>

#include "game/rules/match.h"
#include "game/rules/state.h"
#include "game/screens/gui.h"
#include "game/views/gui_view.h"
#include "tests/graphics/gl_fixture.h"

namespace {

gc_global<c_GuiView*> guiViewRoot;
gc_global<Match*> tutorialMatchRoot;

constexpr int kWidth = 1024, kHeight = 768;
// The probes' grid, and how far the dimmed colour may stray from half of the
// lit one (blending rounds).
constexpr int kProbeStep = 9;
constexpr int kTolerance = 6;
// A flat ground the dimming shows on, bright enough to halve.
constexpr int kGround = 200;

class TutorialDimTest : public GlWindowTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    ResetGameState();
    view = new c_GuiView();
    guiViewRoot = view;
    view->LoadGuiImages();
    match = new Match();
    tutorialMatchRoot = match;
  }

  // The interface drawn over a flat ground, as one colour per pixel.
  std::vector<std::uint32_t> Drawn(bool pageShows, int page) {
    match->flags.tutorialShowing = pageShows ? 1 : 0;
    match->flags.gamePaused = pageShows ? 1 : 0;
    match->flags.tutorialPage = page;
    gfx->ClearScreen(kGround, kGround, kGround);
    view->RenderGui(*match, WonTally());
    Array<int> pixels(kWidth * kHeight);
    gfx->ReadPixels(pixels, 0, 0, kWidth, kHeight, 0, kWidth);
    std::vector<std::uint32_t> rgb(pixels.Length());
    for (int i = 0; i < pixels.Length(); ++i) rgb[i] = static_cast<std::uint32_t>(pixels[i]) & 0xffffffu;
    return rgb;
  }

  c_GuiView* view = nullptr;
  Match* match = nullptr;
};

bool Inside(float x, float y, float left, float top, float width, float height) {
  return x >= left && x < left + width && y >= top && y < top + height;
}

bool Near(std::uint32_t a, std::uint32_t b) {
  for (int shift : {16, 8, 0}) {
    const int ca = static_cast<int>((a >> shift) & 255), cb = static_cast<int>((b >> shift) & 255);
    if (ca - cb > kTolerance || cb - ca > kTolerance) return false;
  }
  return true;
}

std::uint32_t Half(std::uint32_t c) { return (c >> 1) & 0x7f7f7fu; }

// Away from the page's own picture, every pixel of what the page speaks of
// shows as without the page, and every other pixel at half its brightness.
TEST_P(TutorialDimTest, OnlyWhatThePageSpeaksOfStaysLit) {
  const int page = GetParam();
  const std::vector<std::uint32_t> without = Drawn(false, page);
  const std::vector<std::uint32_t> with = Drawn(true, page);
  const TutorialPagePlace& picture = kTutorialPages[page];
  const ScreenRect& spot = kTutorialSpotlights[page];
  int lit = 0, dimmed = 0;
  for (int y = 1; y < kHeight - 1; y += kProbeStep) {
    for (int x = 1; x < kWidth - 1; x += kProbeStep) {
      if (Inside(x, y, picture.x, picture.y, picture.width, picture.height)) continue;
      const std::uint32_t before = without[y * kWidth + x], after = with[y * kWidth + x];
      if (Inside(x, y, spot.x, spot.y, spot.width, spot.height)) {
        ++lit;
        ASSERT_TRUE(Near(after, before)) << "page " << page << ": dimmed at (" << x << ", " << y << ")";
      } else {
        ++dimmed;
        ASSERT_TRUE(Near(after, Half(before))) << "page " << page << ": lit at (" << x << ", " << y << ")";
      }
    }
  }
  EXPECT_GT(lit, 0) << "page " << page << ": its spotlight lies under its picture";
  EXPECT_GT(dimmed, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryPage, TutorialDimTest, ::testing::Range(0, kTutorialPageCount));

}  // namespace
