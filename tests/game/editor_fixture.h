// The whole game opened on its level editor from the menu's Editor sign,
// played through the host's own input path: clicks on the editor's boxes and
// cells, keys, Ctrl held, typed characters.
#pragma once

#include <string>

#include "game/editor/edit_tools.h"
#include "game/rules/layout_equal.h"
#include "game/screens/editor_layout.h"
#include "game/screens/menu.h"
#include "tests/game/main_game_fixture.h"

constexpr int kGlfwLeftControl = 341;
constexpr int kGlfwEnter = 257;
constexpr int kGlfwTab = 258;
constexpr int kGlfwBackspace = 259;
constexpr int kGlfwDelete = 261;
constexpr int kGlfwRight = 262;
constexpr int kGlfwLeft = 263;
constexpr int kGlfwDown = 264;
constexpr int kGlfwUp = 265;

class EditorFixture : public MainGameFixture {
 protected:
  void OpenEditorFromMenu() {
    Start();
    ToMenu();
    ClickBox(kMenuEditor);
    ASSERT_EQ(app->screen, ScreenEditor);
  }
  void ClickBox(const HitBox& box, int button = kGlfwLeftButton) {
    Click((box.left + box.right) / 2, (box.top + box.bottom) / 2, button);
  }
  void ClickButton(int button) { ClickBox(kEditorButtons[button]); }
  void ClickCell(CellXY cell, int button = kGlfwLeftButton) {
    Click(static_cast<float>(CellCentre(cell.x)), static_cast<float>(CellCentre(cell.y)), button);
  }
  // The tool's slot clicked on the palette.
  void ChooseTool(EditTool what, int sceneryKind = 0) {
    const int slot = SlotOf(what, sceneryKind);
    ASSERT_GE(slot, 0);
    ClickBox(ToolSlotBox(slot, static_cast<int>(ToolPalette().size())));
  }
  static int SlotOf(EditTool what, int sceneryKind = 0) {
    const std::vector<ToolChoice>& palette = ToolPalette();
    for (std::size_t i = 0; i < palette.size(); ++i) {
      if (palette[i].tool == what && (what != EditTool::Scenery || palette[i].sceneryKind == sceneryKind)) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }
  void Place(EditTool what, CellXY cell) {
    ChooseTool(what);
    ClickCell(cell);
  }
  void ControlKey(int glfwKey) {
    game->OnKey(kGlfwLeftControl, HostInputSink::kActionPress);
    Key(glfwKey);
    game->OnKey(kGlfwLeftControl, HostInputSink::kActionRelease);
    Update();
  }
  void Type(const std::string& text) {
    for (char c : text) game->OnChar(static_cast<unsigned char>(c));
    Update();
  }
  // The board cursor moved by the arrows to the cell.
  void CursorTo(CellXY cell) {
    for (int i = 0; i < kColumns; ++i) Key(kGlfwLeft);
    for (int i = 0; i < kRows; ++i) Key(kGlfwUp);
    for (int i = 0; i < cell.x; ++i) Key(kGlfwRight);
    for (int i = 0; i < cell.y; ++i) Key(kGlfwDown);
  }
  const LevelLayout& Edited() const { return app->editor->Layout(); }
  static bool Holds(const std::vector<CellXY>& cells, CellXY cell) {
    for (const CellXY& c : cells) {
      if (c == cell) return true;
    }
    return false;
  }
  std::string LevelsFolder() const { return folder + "levels/"; }
};
