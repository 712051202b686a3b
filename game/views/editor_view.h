// The level editor as the player sees it (screens/editor_screen.h says what
// answers the clicks): the board as in play, drawn from the match the screen
// lays out after every edit, the cheapest route faintly over it on request,
// the chosen tool's ghost (green where it fits, red with the reason where
// not), the level's numbers along the top, the tools, the verdict and the
// buttons along the bottom, and a save's answer or a question over the board.
#pragma once

#include "game/rules/layouts.h"
#include "game/screens/editor_screen.h"
#include "game/views/board_view.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

// The tinted ghost: green where the tool fits, red where it does not.
struct GhostTint {
  float r, g, b;
};
constexpr GhostTint kGhostFits = {90, 230, 90};
constexpr GhostTint kGhostRefused = {240, 60, 50};

class c_EditorView : public Object {
 public:
  void LoadEditorImages();
  // `target`: the cell the ghost stands on (the pointer's or the cursor's),
  // none when `targetShown` is false.
  // `hoveredTool`: the palette slot under the pointer, named above it (-1: none).
  void RenderEditor(const c_cEditor& editor, const c_BoardView& boardView, bool targetShown, CellXY target,
                    int hoveredTool = -1) const;
  void Mark() override;

  gc_ref<c_BitmapFont> font;
  gc_ref<c_BitmapFont> inkFont;

 private:
  void RenderRoute(const LevelVerdict& verdict) const;
  void RenderGhost(const c_cEditor& editor, const c_BoardView& boardView, CellXY target) const;
  void RenderTopStrip(const c_cEditor& editor) const;
  void RenderBottomStrip(const c_cEditor& editor, const c_BoardView& boardView) const;
  void RenderToolIcon(const ToolChoice& tool, const c_BoardView& boardView, const HitBox& slot) const;
  void RenderButton(const HitBox& box, const char* label, bool enabled) const;
  void RenderMessage(const c_cEditor& editor) const;
  void RenderToolName(int tool) const;
  void RenderQuestion(const c_cEditor& editor) const;
};
