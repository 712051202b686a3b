// The editor runs of the scripted player, off the board: through the title
// to the menu's Editor sign; then either a small level built on the empty
// board (scenery, stones, gold), played by the rest of the player to a win
// and, back in the editor, an edit undone and the level saved; or the start
// iron taken down until the level cannot be won, a save refused with the
// verdict as its reason, and the editor left for the menu, asked first.
// The saved level is then found on the page of custom levels (the menu's
// Levels sign) and opened from there in the editor again.
#pragma once

#include <string>
#include <vector>

#include "game/editor/edit_tools.h"
#include "game/rules/layouts.h"
#include "tools/campaign/settings_tour.h"

class EditorTour {
 public:
  explicit EditorTour(bool refused) : refused_(refused) {}
  // What to do before the next update off the board; false for nothing.
  bool Next(TourInput* input);
  bool Done() const { return step_ == kDone; }
  const std::string& Error() const { return error_; }

  // One edit of the built level: a tool laid at a cell.
  struct PlannedEdit {
    ToolChoice tool;
    CellXY cell;
  };
  static std::vector<PlannedEdit> BuiltLevel();

 private:
  enum Step {
    kTitle, kOpenEditor, kBuild, kPlay, kUndo, kSave, kCheckSave, kLeave, kConfirmLeave, kOnMenu,
    kToMenu, kOpenList, kSelectSaved, kEditSaved, kCheckOpened, kDone
  };
  // The page of custom levels: the saved level's row, then its Edit.
  bool SelectSaved(TourInput* input);
  bool EditSaved(TourInput* input);
  bool Build(TourInput* input);
  bool LowerIron(TourInput* input);
  bool ClickAt(float x, float y, TourInput* input, bool nextStep);
  bool Fail(const std::string& why);
  const bool refused_;
  int step_ = kTitle;
  int wait_ = 0;
  std::size_t edit_ = 0;
  std::size_t itemsBefore_ = 0;
  bool cellClicked_ = false;
  std::string error_;
  // The level as it was saved, and where.
  LevelLayout saved_;
  std::string savedPath_;
};
