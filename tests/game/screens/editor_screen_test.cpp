// The level editor's inputs through the running game: each click or key of
// the table makes its edit (or chooses its tool), the hover's ghost agrees
// with what the click then does, and undo and redo walk the edits by keys and
// by the buttons.
#include <functional>
#include <string>

#include "game/editor/level_edit.h"
#include "tests/game/editor_fixture.h"

namespace {

using EditorInput = EditorFixture;

constexpr CellXY kFreeCell{5, 2};
constexpr int kGlfwE = 69, kGlfwQ = 81, kGlfwR = 82, kGlfwY = 89, kGlfwZ = 90, kGlfwDigit1 = 49, kGlfwDigit5 = 53;

struct InputCase {
  const char* what;
  std::function<void()> input;
  std::function<bool(const c_cEditor&)> made;
};

// Each case starts on the editor's empty level.
TEST_F(EditorInput, EachInputMakesItsEdit) {
  const LevelLayout empty = EmptyLevel();
  const InputCase cases[] = {
      {"a left click places the chosen tool",
       [this] { Place(EditTool::Stones, kFreeCell); },
       [](const c_cEditor& e) { return EditorFixture::Holds(e.Layout().stones, kFreeCell); }},
      {"a right click erases what covers the cell",
       [this] {
         Place(EditTool::Gold, kFreeCell);
         ClickCell(kFreeCell, kGlfwRightButton);
       },
       [](const c_cEditor& e) { return e.Layout().gold.empty() && e.History().CanUndo(); }},
      {"Enter places at the board cursor",
       [this] {
         ChooseTool(EditTool::Gold);
         CursorTo({2, 3});
         Key(kGlfwEnter);
       },
       [](const c_cEditor& e) { return EditorFixture::Holds(e.Layout().gold, CellXY{2, 3}); }},
      {"Delete erases at the board cursor",
       [this] {
         Place(EditTool::Stones, {7, 7});
         CursorTo({7, 7});
         Key(kGlfwDelete);
       },
       [](const c_cEditor& e) { return e.Layout().stones.empty() && e.History().CanUndo(); }},
      {"the iron's + adds a step",
       [this] { ClickButton(EditorIronMore); },
       [empty](const c_cEditor& e) { return e.Layout().iron == empty.iron + kEditorIronStep; }},
      {"the iron's - takes a step",
       [this] { ClickButton(EditorIronLess); },
       [empty](const c_cEditor& e) { return e.Layout().iron == empty.iron - kEditorIronStep; }},
      {"the bandits go round none, low, medium, high as the map words them",
       [this] {
         for (int i = 0; i < 3; ++i) ClickButton(EditorBandits);
       },
       [](const c_cEditor& e) {
         return BanditsLevel(e.Layout()) == 3 && e.Layout().banditsKind == 3 && RaidersLevel(e.Layout()) == 0;
       }},
      {"the raiders too",
       [this] { ClickButton(EditorRaiders); },
       [](const c_cEditor& e) { return RaidersLevel(e.Layout()) == 1 && BanditsLevel(e.Layout()) == 0; }},
      {"a new level's name is typed afresh, blanks and Backspace included",
       [this] {
         ClickButton(EditorName);
         Type("Mesa Cx");
         Key(kGlfwBackspace);
         Type("rossing ");
         Key(kGlfwEnter);
       },
       [](const c_cEditor& e) { return e.Layout().name == "Mesa Crossing" && !e.typing; }},
      {"a name typed is typed on when clicked again",
       [this] {
         ClickButton(EditorName);
         Type("Gulch");
         Key(kGlfwEnter);
         ClickButton(EditorName);
         Type(" 2");
         Key(kGlfwEnter);
       },
       [](const c_cEditor& e) { return e.Layout().name == "Gulch 2"; }},
      {"letters typed into the name are no shortcuts",
       [this] {
         ClickButton(EditorName);
         Key(kGlfwR);
       },
       [](const c_cEditor& e) { return !e.routeShown && e.typing; }},
      {"R shows the route",
       [this] { Key(kGlfwR); },
       [](const c_cEditor& e) { return e.routeShown; }},
      {"Copy opens level 1 as a copy",
       [this] { ClickButton(EditorCopy); },
       [](const c_cEditor& e) {
         LevelLayout copy = StartingCopy(1);
         copy.name += " (copy)";
         return e.Layout() == copy && e.copiedLevel == 1;
       }},
      {"the editor opens with scenery in hand; E, E, Q and 5 choose tools",
       [this] {
         EXPECT_EQ(ToolPalette()[static_cast<std::size_t>(app->editor->toolIndex)].tool, EditTool::Scenery);
         const int first = app->editor->toolIndex;
         Key(kGlfwE);
         Key(kGlfwE);
         Key(kGlfwQ);
         EXPECT_EQ(app->editor->toolIndex, first + 1);
         Key(kGlfwDigit5);
       },
       [](const c_cEditor& e) { return e.toolIndex == 4; }},
      {"Q from the first tool goes round to the last",
       [this] {
         Key(kGlfwDigit1);
         Key(kGlfwQ);
       },
       [](const c_cEditor& e) { return e.toolIndex == static_cast<int>(ToolPalette().size()) - 1; }},
  };
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.what);
    OpenEditorFromMenu();
    c.input();
    EXPECT_TRUE(c.made(*app->editor));
    EndProgram();
    ResetGameState();
    game = std::make_unique<BBTarvexGame>(&platform);
  }
}

TEST_F(EditorInput, AClickWhereTheGhostIsRedChangesNothing) {
  OpenEditorFromMenu();
  ChooseTool(EditTool::Stones);
  const CellXY start = Edited().start;
  EXPECT_FALSE(app->editor->PreviewAt(start).fits);
  EXPECT_TRUE(app->editor->PreviewAt(kFreeCell).fits);
  ClickCell(start);
  EXPECT_TRUE(Edited().stones.empty());
  EXPECT_FALSE(app->editor->History().CanUndo());
}

TEST_F(EditorInput, UndoAndRedoWalkTheEditsByKeysAndButtons) {
  OpenEditorFromMenu();
  Place(EditTool::Stones, {3, 3});
  Place(EditTool::Gold, {4, 3});
  ControlKey(kGlfwZ);
  EXPECT_TRUE(Edited().gold.empty());
  EXPECT_EQ(Edited().stones.size(), 1u);
  ControlKey(kGlfwZ);
  EXPECT_TRUE(Edited().stones.empty());
  ControlKey(kGlfwZ);  // nothing further back: still the empty level
  EXPECT_EQ(Edited(), EmptyLevel());
  ControlKey(kGlfwY);
  EXPECT_EQ(Edited().stones.size(), 1u);
  ClickButton(EditorRedo);
  EXPECT_EQ(Edited().gold.size(), 1u);
  ClickButton(EditorUndo);
  EXPECT_TRUE(Edited().gold.empty());
  // A new edit drops what could be redone.
  Place(EditTool::Stones, {8, 8});
  EXPECT_FALSE(app->editor->History().CanRedo());
  // Z without Ctrl undoes nothing.
  Key(kGlfwZ);
  EXPECT_EQ(Edited().stones.size(), 2u);
}

TEST_F(EditorInput, TheVerdictFollowsEveryEditAtOnce) {
  OpenEditorFromMenu();
  EXPECT_TRUE(app->editor->verdict.winnable) << app->editor->verdict.text;
  for (int i = 0; i < 40 && Edited().iron > 0; ++i) ClickButton(EditorIronLess);
  ASSERT_EQ(Edited().iron, 0);
  EXPECT_FALSE(app->editor->verdict.winnable);
  EXPECT_EQ(app->editor->verdict.text.rfind("No way", 0), 0u) << app->editor->verdict.text;
  // Each undo gives a step of iron back, and the verdict follows it: the
  // straight line of 13 pieces needs 1300.
  while (Edited().iron < 1300) {
    EXPECT_FALSE(app->editor->verdict.winnable) << Edited().iron;
    ControlKey(kGlfwZ);
  }
  EXPECT_TRUE(app->editor->verdict.winnable) << app->editor->verdict.text;
}

TEST_F(EditorInput, TabWalksTheButtonsAndEnterPressesTheFocusedOne) {
  OpenEditorFromMenu();
  ChooseTool(EditTool::Gold);
  // Tab goes to the buttons from Play: Save, Copy, Menu, the name, the iron's -.
  for (int i = 0; i < 5; ++i) Key(kGlfwTab);
  Key(kGlfwEnter);
  EXPECT_EQ(Edited().iron, EmptyLevel().iron - kEditorIronStep);
  // The arrows take the focus back to the board cursor.
  CursorTo(kFreeCell);
  Key(kGlfwEnter);
  EXPECT_TRUE(Holds(Edited().gold, kFreeCell)) << "Enter on the board places at the cursor";
}

}  // namespace
