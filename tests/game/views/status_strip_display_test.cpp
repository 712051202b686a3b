// The status strip names the level on the board: drawn on a real window
// (Xvfb, llvmpipe) and its level field read back.
#include <cstdint>
#include <vector>

#include "game/rules/match.h"
#include "game/rules/state.h"
#include "game/views/gui_view.h"
#include "tests/graphics/gl_fixture.h"

namespace {

gc_global<c_GuiView*> stripViewRoot;
gc_global<Match*> stripMatchRoot;

// The level's field of the strip (tools/data/screen_layout.py STATUS_FIELDS).
constexpr int kFieldLeft = 252, kFieldTop = 4, kFieldWidth = 236, kFieldHeight = 24;

class StatusStripTest : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    ResetGameState();
    view = new c_GuiView();
    stripViewRoot = view;
    view->LoadGuiImages();
    match = new Match();
    stripMatchRoot = match;
  }

  // The level's field as drawn with this level on the board and that one
  // next in the progress.
  std::vector<int> LevelField(int onTheBoard, int progressLevel) {
    match->layout = LevelLayoutOf(onTheBoard);
    match->run.levelNumber = onTheBoard;
    gameState.progress.currentLevel = progressLevel;
    gfx->ClearScreen(40, 30, 20);
    view->RenderGui(*match, WonTally());
    Array<int> pixels(kFieldWidth * kFieldHeight);
    gfx->ReadPixels(pixels, kFieldLeft, kFieldTop, kFieldWidth, kFieldHeight, 0, kFieldWidth);
    return std::vector<int>(&pixels[0], &pixels[0] + pixels.Length());
  }

  c_GuiView* view = nullptr;
  Match* match = nullptr;
};

// The won panel shows while the progress has already moved on to the next
// level: the strip still names the level just won.
TEST_F(StatusStripTest, NamesTheLevelOnTheBoardNotTheNextOne) {
  const std::vector<int> first = LevelField(1, 1);
  EXPECT_EQ(LevelField(1, 2), first);
  EXPECT_NE(LevelField(2, 2), first);
  EXPECT_NE(LevelField(11, 11), LevelField(15, 15));
}

}  // namespace
