// The page of custom levels: the game's own extra levels and the player's
// level files, one row each (a file that does not read greyed, with its
// reason), a page of rows at a time; under them what can be done with the
// selected row (Play, Edit, and for the player's own files Delete, which
// asks first), "New random level" with its difficulty to choose, and Back.
// Clicks and keys come in, one ScreenRequest goes out; the level a request
// is about waits on the page (chosenLayout, chosenPath).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "game/generator/level_generator.h"
#include "game/screens/custom_records.h"
#include "game/screens/focus.h"
#include "game/screens/listed_level.h"
#include "game/screens/screen_request.h"
#include "runtime/gc.h"

// ---- Layout (virtual pixels) ----------------------------------------------------
constexpr HitBox kLevelListSheet = ClosedBox(112, 912, 40, 728);
constexpr float kListRowsLeft = 140, kListRowsRight = 830, kListRowsTop = 112, kListRowPitch = 30;
constexpr int kListRowsShown = 14;
constexpr HitBox ListRowBox(int shownRow) {
  return ClosedBox(kListRowsLeft, kListRowsRight, kListRowsTop + kListRowPitch * static_cast<float>(shownRow),
                   kListRowsTop + kListRowPitch * static_cast<float>(shownRow + 1) - 2);
}
constexpr HitBox kListScrollUp = ClosedBox(842, 892, 112, 162);
constexpr HitBox kListScrollDown = ClosedBox(842, 892, 482, 532);
// The four buttons under the rows; what each does depends on the page's part.
constexpr int kListActionSlots = 4;
constexpr HitBox kListActionSlot[kListActionSlots] = {
    ClosedBox(140, 300, 548, 588), ClosedBox(320, 480, 548, 588), ClosedBox(500, 660, 548, 588),
    ClosedBox(680, 840, 548, 588)};
// The line of what the page has to say, under them.
constexpr float kListLineY = 604;
constexpr HitBox kListRandomButton = ClosedBox(140, 400, 656, 700);
constexpr HitBox kListBackButton = ClosedBox(680, 840, 656, 700);

// What the page shows under its rows.
enum class ListPart {
  Rows,           // the selected row's Play, Edit, Delete
  ConfirmDelete,  // "Delete NAME?" Yes, No
  ChooseRandom,   // Easy, Medium, Hard, Cancel
  RandomMade,     // the random level's Play, Save, Edit, Cancel
};

// What a button under the rows does.
enum class ListAction { None, Play, Edit, Delete, Yes, No, Easy, Medium, Hard, Save, Cancel };
const char* ListActionName(ListAction action);

class c_cLevelList : public Object {
 public:
  // A fresh listing and records; the selection stays on the same file when
  // it is still there.
  void Open(LevelListing newListing, CustomRecords newRecords);
  ScreenRequest Click(float x, float y);
  // Up and Down move the selection, a page at a time for Page Up and Down;
  // the rows in view follow it.
  void MoveSelection(int step);
  // Escape: a question or the chooser is closed first, then the page.
  ScreenRequest Back();
  // The buttons of the part shown, slot by slot (None where a slot is empty).
  std::array<ListAction, kListActionSlots> Actions() const;
  std::vector<HitBox> Buttons() const;
  FocusList KeyFocus() const;
  // The solver's cheapest iron of the rows in view, each content once.
  void WorkOutShownIron();
  const ListedLevel* Selected() const;
  int RowCount() const { return static_cast<int>(listing.rows.size()); }

  LevelListing listing;
  CustomRecords records;
  int selected = -1;   // a row of the listing, or -1
  int firstShown = 0;  // the listing's row at the top of the page
  ListPart part = ListPart::Rows;
  // The random level made last, and how it was asked for.
  Difficulty randomDifficulty = Difficulty::Medium;
  LevelLayout randomLayout;
  int randomIron = 0;
  // What the page says under the buttons (a reason, a question, what was done).
  std::string line;
  // The level a request is about: a row's, or the random one (no path).
  LevelLayout chosenLayout;
  std::string chosenPath;
  std::uint64_t chosenKey = 0;  // a row's content key; 0 for the random level

 private:
  ScreenRequest Press(ListAction action);
  // The level the next request is about: the random one, or the selected
  // row's (false when that does not read).
  bool Choose(bool random);
  void MakeRandomLevel(Difficulty difficulty);
  void ShowSelectedLine();
  void KeepSelectionInView();
  std::unordered_map<std::uint64_t, int> ironByContent;
  std::uint32_t randomDraws = 0;
};
