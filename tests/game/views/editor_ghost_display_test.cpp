// The editor's ghost drawn for real (Xvfb, llvmpipe) and read back: over a
// cell where the chosen tool fits the cell turns greener than the board
// beneath it, over one where it does not (the START cell) redder.
#include <cmath>
#include <cstdint>

#include "game/editor/level_edit.h"
#include "game/rules/state.h"
#include "game/screens/editor_screen.h"
#include "game/views/board_view.h"
#include "game/views/editor_view.h"
#include "tests/graphics/gl_fixture.h"

namespace {

gc_global<c_BoardView*> ghostBoardView;
gc_global<c_EditorView*> ghostEditorView;
gc_global<c_cEditor*> ghostEditor;

// A patch of a cell clear of the picture's middle, the caption and the mark.
constexpr int kPatchLeft = 4, kPatchTop = 4, kPatchSize = 12;

class EditorGhostDrawn : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    ResetGameState();
    ghostBoardView = new c_BoardView();
    ghostBoardView->LoadLevelImages();
    ghostEditorView = new c_EditorView();
    ghostEditorView->LoadEditorImages();
    ghostEditor = new c_cEditor();
  }
  void TearDown() override {
    ghostEditor = nullptr;
    ghostEditorView = nullptr;
    ghostBoardView = nullptr;
    GlWindowTest::TearDown();
  }
  // How much greener than red the patch of the cell turned with the ghost
  // over it, summed over the patch.
  long GreenShift(CellXY cell) {
    const long without = GreenMinusRed(cell, false);
    return GreenMinusRed(cell, true) - without;
  }
  long GreenMinusRed(CellXY cell, bool ghost) {
    gfx->ClearScreen(0, 0, 0);
    ghostEditorView->RenderEditor(*ghostEditor, *ghostBoardView, ghost, cell);
    gfx->Flush();
    long sum = 0;
    for (int y = 0; y < kPatchSize; ++y) {
      for (int x = 0; x < kPatchSize; ++x) {
        const std::uint32_t rgb = Rgb(CellLeft(cell.x) + kPatchLeft + x, CellTop(cell.y) + kPatchTop + y);
        sum += static_cast<long>((rgb >> 8) & 255) - static_cast<long>((rgb >> 16) & 255);
      }
    }
    return sum;
  }
  void Choose(EditTool what) {
    const std::vector<ToolChoice>& palette = ToolPalette();
    for (std::size_t i = 0; i < palette.size(); ++i) {
      if (palette[i].tool == what) ghostEditor->ChooseTool(static_cast<int>(i));
    }
  }
};

TEST_F(EditorGhostDrawn, GreenWhereTheToolFitsRedWhereNot) {
  Choose(EditTool::Stones);
  const CellXY free{5, 2};
  const CellXY start = ghostEditor->Layout().start;
  ASSERT_TRUE(ghostEditor->PreviewAt(free).fits);
  ASSERT_FALSE(ghostEditor->PreviewAt(start).fits);
  constexpr long kClearShift = 10L * kPatchSize * kPatchSize;  // ten levels a pixel at least
  EXPECT_GT(GreenShift(free), kClearShift);
  EXPECT_LT(GreenShift(start), -kClearShift);
}

}  // namespace
