#include "tools/campaign/editor_tour.h"

#include "game/editor/level_file_name.h"
#include "game/rules/layout_equal.h"
#include "game/screens/editor_layout.h"
#include "game/screens/level_list.h"
#include "game/screens/menu.h"
#include "game/session/folders.h"
#include "game/session/main_game.h"

namespace {

// Updates the player looks at a screen before acting on it.
constexpr int kLookUpdates = 10;

c_MainGame* App() { return static_cast<c_MainGame*>(currentApp.get()); }

float MiddleX(const HitBox& b) { return (b.left + b.right) / 2; }
float MiddleY(const HitBox& b) { return (b.top + b.bottom) / 2; }

// What stands on the board, counted as the player sees it.
std::size_t ItemsOf(const LevelLayout& level) {
  return level.scenery.size() + level.stones.size() + level.gold.size() + (level.hasMine ? 1 : 0);
}

int SlotOf(const ToolChoice& tool) {
  const std::vector<ToolChoice>& palette = ToolPalette();
  for (std::size_t i = 0; i < palette.size(); ++i) {
    if (palette[i] == tool) return static_cast<int>(i);
  }
  return -1;
}

ToolChoice Scenery(int kind) {
  ToolChoice tool;
  tool.tool = EditTool::Scenery;
  tool.sceneryKind = kind;
  return tool;
}

ToolChoice Simple(EditTool what) {
  ToolChoice tool;
  tool.tool = what;
  return tool;
}

constexpr int kForestKind = 2;
constexpr int kHouseKind = 7;
constexpr int kSkullKind = 13;

}  // namespace

std::vector<EditorTour::PlannedEdit> EditorTour::BuiltLevel() {
  return {
      {Scenery(kForestKind), {3, 1}}, {Scenery(kHouseKind), {8, 6}}, {Scenery(kSkullKind), {10, 2}},
      {Simple(EditTool::Stones), {6, 4}}, {Simple(EditTool::Gold), {4, 4}}, {Simple(EditTool::Gold), {9, 4}},
  };
}

bool EditorTour::ClickAt(float x, float y, TourInput* input, bool nextStep) {
  input->key = 0;
  input->x = static_cast<int>(x);
  input->y = static_cast<int>(y);
  if (nextStep) ++step_;
  wait_ = 0;
  return true;
}

bool EditorTour::Fail(const std::string& why) {
  if (error_.empty()) error_ = std::string(refused_ ? "the refused editor run: " : "the editor run: ") + why;
  return false;
}

bool EditorTour::Next(TourInput* input) {
  c_MainGame* app = App();
  if (app == nullptr || Done() || !error_.empty() || ++wait_ < kLookUpdates) return false;
  const c_cEditor& editor = *app->editor;
  const bool inEditor = app->screen == ScreenEditor;
  const HitBox* buttons = kEditorButtons;
  switch (step_) {
    case kTitle:
      return app->screen == ScreenTitle && ClickAt(512, 384, input, true);
    case kOpenEditor:
      return app->screen == ScreenMenu && ClickAt(MiddleX(kMenuEditor), MiddleY(kMenuEditor), input, true);
    case kBuild:
      if (!inEditor) return Fail("the menu's sign opened no editor");
      return refused_ ? LowerIron(input) : Build(input);
    case kPlay:
      if (!editor.verdict.winnable) return Fail("the level built is not winnable: " + editor.verdict.text);
      return ClickAt(MiddleX(buttons[EditorPlay]), MiddleY(buttons[EditorPlay]), input, true);
    case kUndo:
      // Back from the won level, the level as it was.
      if (!inEditor) return false;
      if (ItemsOf(editor.Layout()) != BuiltLevel().size()) return Fail("the level changed while it was played");
      return ClickAt(MiddleX(buttons[EditorUndo]), MiddleY(buttons[EditorUndo]), input, true);
    case kSave:
      if (!refused_ && ItemsOf(editor.Layout()) + 1 != BuiltLevel().size()) return Fail("Undo took no edit back");
      return ClickAt(MiddleX(buttons[EditorSave]), MiddleY(buttons[EditorSave]), input, true);
    case kCheckSave:
      if (refused_) {
        if (!editor.messageRefused || editor.message.find(editor.verdict.text) == std::string::npos) {
          return Fail("the save was not refused with the verdict: " + editor.message);
        }
        ++step_;
        return false;
      }
      if (editor.messageRefused || editor.message.rfind("Saved", 0) != 0) return Fail("not saved: " + editor.message);
      saved_ = editor.Layout();
      savedPath_ = PlayerLevelsFolder() + LevelFileName(saved_.name);
      step_ = kToMenu;
      return false;
    case kLeave:
      return ClickAt(MiddleX(buttons[EditorMenu]), MiddleY(buttons[EditorMenu]), input, true);
    case kConfirmLeave:
      if (editor.question != EditorQuestion::Leave) return Fail("leaving with changes unsaved asked nothing");
      return ClickAt(MiddleX(kEditorYes), MiddleY(kEditorYes), input, true);
    case kOnMenu:
      if (app->screen != ScreenMenu) return Fail("Yes to leaving did not lead to the menu");
      step_ = kDone;
      return false;
    case kToMenu:
      // Nothing is unsaved, so the editor's Menu asks nothing.
      if (app->screen == ScreenMenu) return ClickAt(MiddleX(kMenuLevels), MiddleY(kMenuLevels), input, true);
      if (editor.question != EditorQuestion::None) return Fail("leaving a saved level asked first");
      return ClickAt(MiddleX(buttons[EditorMenu]), MiddleY(buttons[EditorMenu]), input, false);
    case kOpenList:
      if (app->screen != ScreenLevelList) return Fail("the menu's Levels sign opened no page of custom levels");
      ++step_;
      return false;
    case kSelectSaved:
      return SelectSaved(input);
    case kEditSaved:
      return EditSaved(input);
    case kCheckOpened:
      if (!inEditor) return Fail("Edit on the page opened no editor");
      if (!(editor.Layout() == saved_) || editor.path != savedPath_) return Fail("the editor opened another level");
      step_ = kDone;
      return false;
    default:
      return false;
  }
}

// Each planned edit: its tool chosen from the palette, then its cell clicked,
// then a look that the board holds one more thing.
bool EditorTour::Build(TourInput* input) {
  const c_cEditor& editor = *App()->editor;
  const std::vector<PlannedEdit> edits = BuiltLevel();
  if (edit_ >= edits.size()) {
    ++step_;
    return false;
  }
  const PlannedEdit& edit = edits[edit_];
  if (cellClicked_) {
    if (ItemsOf(editor.Layout()) != itemsBefore_ + 1) {
      return Fail("the edit at " + std::to_string(edit.cell.x) + "," + std::to_string(edit.cell.y) + " was not made");
    }
    cellClicked_ = false;
    ++edit_;
    wait_ = 0;
    return false;
  }
  const int slot = SlotOf(edit.tool);
  if (slot < 0) return Fail("a tool the palette does not hold");
  if (editor.toolIndex != slot) {
    const HitBox box = ToolSlotBox(slot, static_cast<int>(ToolPalette().size()));
    return ClickAt(MiddleX(box), MiddleY(box), input, false);
  }
  if (!editor.PreviewAt(edit.cell).fits) return Fail("the ghost shows red where the plan lays a piece");
  itemsBefore_ = ItemsOf(editor.Layout());
  cellClicked_ = true;
  return ClickAt(static_cast<float>(CellCentre(edit.cell.x)), static_cast<float>(CellCentre(edit.cell.y)), input,
                 false);
}

// The start iron down by its - button until none is left; then straight on
// to the save (there is nothing to play).
bool EditorTour::LowerIron(TourInput* input) {
  const c_cEditor& editor = *App()->editor;
  if (editor.Layout().iron > 0) {
    const HitBox less = kEditorButtons[EditorIronLess];
    return ClickAt(MiddleX(less), MiddleY(less), input, false);
  }
  if (editor.verdict.winnable) return Fail("a level without iron or a mine is winnable");
  step_ = kSave;
  return false;
}

bool EditorTour::SelectSaved(TourInput* input) {
  const c_cLevelList& page = *App()->levelList;
  for (int i = 0; i < page.RowCount(); ++i) {
    const ListedLevel& row = page.listing.rows[static_cast<std::size_t>(i)];
    if (row.path != savedPath_) continue;
    if (!row.readable || !(row.layout == saved_)) return Fail("the saved file does not read back to the level saved");
    const int shown = i - page.firstShown;
    if (shown < 0 || shown >= kListRowsShown) return Fail("the saved level's row is out of view");
    const HitBox box = ListRowBox(shown);
    return ClickAt(MiddleX(box), MiddleY(box), input, true);
  }
  return Fail("the page does not list the saved level " + savedPath_);
}

bool EditorTour::EditSaved(TourInput* input) {
  const c_cLevelList& page = *App()->levelList;
  const ListedLevel* row = page.Selected();
  if (row == nullptr || row->path != savedPath_) return Fail("a click on the saved level's row did not select it");
  const auto actions = page.Actions();
  for (int i = 0; i < kListActionSlots; ++i) {
    if (actions[static_cast<std::size_t>(i)] != ListAction::Edit) continue;
    return ClickAt(MiddleX(kListActionSlot[i]), MiddleY(kListActionSlot[i]), input, true);
  }
  return Fail("the saved level's row offers no Edit");
}
