// The level editor's screen: clicks and keys become edits of a level kept in
// an EditHistory, and after every change the solver's verdict and a match
// laid out from the level (for the board view to draw) follow at once. What
// leaves the screen (play, save, the menu) is returned as a ScreenRequest;
// the main game answers a save back through TakeSaveAnswer.
//
// editor_view draws it; editor_layout.h says where everything stands.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/editor/edit_history.h"
#include "game/editor/edit_tools.h"
#include "game/editor/level_edit.h"
#include "game/editor/level_verdict.h"
#include "game/rules/match.h"
#include "game/screens/editor_layout.h"
#include "game/screens/focus.h"
#include "game/screens/screen_request.h"
#include "runtime/gc.h"

// What the screen asks over the board, waiting for Yes or No.
enum class EditorQuestion {
  None,
  Replace,  // a save found a file of the level's name: "Replace NAME?"
  Leave,    // the menu with changes unsaved: "Leave without saving?"
};

// The answer a save got, as the screen shows it.
enum class EditorSaveAnswer { Saved, AlreadyThere, Refused };

class c_cEditor : public Object {
 public:
  c_cEditor();
  void Mark() override;

  // Starts editing a layout afresh (no undo back past it). `path` is the file
  // it came from, "" for a new level; with `savesToPath` a save writes that
  // file instead of the player's levels folder.
  void Open(const LevelLayout& layout, const std::string& path, bool savesToPath);
  const LevelLayout& Layout() const { return history_->Current(); }
  const EditHistory& History() const { return *history_; }

  // ---- Input: each is a click or a key's press ----
  // A left click anywhere on the screen.
  ScreenRequest Click(float x, float y);
  // A right click: erases what covers the cell under it.
  void EraseClick(float x, float y);
  ScreenRequest PressButton(int button);
  void PlaceAt(CellXY cell);
  void EraseAtCell(CellXY cell);
  void ChooseTool(int index);
  // Q and E: the previous and the next tool, round the palette.
  void StepTool(int step);
  void Undo();
  void Redo();
  void ToggleRoute() { routeShown = !routeShown; }
  // The next of the fifteen levels, as a copy named "NAME (copy)".
  void CopyNextLevel();
  // Save and Play, as their buttons.
  ScreenRequest AskSave();
  ScreenRequest AskPlay() const { return ScreenRequest::PlayEdited; }
  // The menu: at once, or asking first while changes are unsaved.
  ScreenRequest AskLeave();
  ScreenRequest Answer(bool yes);
  // The name's field: typed characters while it has the keys.
  void TypeCharacter(int character);
  void DeleteCharacter();
  void StopTyping() { typing = false; }
  // The name as typed so far (its blanks at the end kept, which the level's
  // name drops), shown in the field while it has the keys.
  const std::string& NameDraft() const { return nameDraft_; }

  // The main game's answer to SaveEdited: what the save did, in words.
  void TakeSaveAnswer(EditorSaveAnswer answer, const std::string& line);

  // ---- What the view and the focus read ----
  // What answers clicks now: the question's two answers while it shows, else
  // every button and every tool slot.
  std::vector<HitBox> Buttons() const;
  // What Tab walks: the answers, or the strips' buttons.
  FocusList KeyFocus() const;
  // What a left click of the chosen tool at the cell would do.
  EditPreview PreviewAt(CellXY cell) const;
  const ToolChoice& Tool() const;

  int toolIndex = 0;
  static int FirstSceneryTool();
  bool routeShown = false;
  bool typing = false;
  EditorQuestion question = EditorQuestion::None;
  // The line the last save or copy left, shown until the next edit.
  std::string message;
  bool messageRefused = false;
  // The solver's answer on the level as it stands.
  LevelVerdict verdict;
  // The level laid out for drawing, again after every change.
  gc_ref<Match> board;
  // The level of the fifteen copied last (0: none yet).
  int copiedLevel = 0;
  // A save asked with Yes to "Replace NAME?".
  bool replaceConfirmed = false;
  std::string path;
  bool savesToPath = false;

 private:
  // The layout after an edit into the history; then everything follows it.
  void Commit(const LevelLayout& next);
  void FollowLayout();
  std::unique_ptr<EditHistory> history_;
  std::string nameDraft_;
};

// The events' level of a layout as the editor words it: 0 none, 1 low, 2 high
// (the files' medium reads as high), for bandits or raiders.
int BanditsLevel(const LevelLayout& level);
int RaidersLevel(const LevelLayout& level);
// "none", "low" or "high".
const char* EventsWord(int eventsLevel);
