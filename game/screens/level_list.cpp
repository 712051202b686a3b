#include "game/screens/level_list.h"

#include <algorithm>

#include "game/rules/state.h"
#include "game/solver/cheapest_iron.h"

namespace {

// Spreads the draws of one second apart, so two random levels asked for in
// the same second differ.
constexpr std::uint32_t kDrawSpread = 2654435761u;

}  // namespace

const char* ListActionName(ListAction action) {
  switch (action) {
    case ListAction::Play: return "Play";
    case ListAction::Edit: return "Edit";
    case ListAction::Delete: return "Delete";
    case ListAction::Yes: return "Yes, delete";
    case ListAction::No: return "No";
    case ListAction::Easy: return "Easy";
    case ListAction::Medium: return "Medium";
    case ListAction::Hard: return "Hard";
    case ListAction::Save: return "Save";
    case ListAction::Cancel: return "Cancel";
    case ListAction::None: break;
  }
  return "";
}

void c_cLevelList::Open(LevelListing newListing, CustomRecords newRecords) {
  const std::string selectedPath = Selected() != nullptr ? Selected()->path : std::string();
  listing = std::move(newListing);
  records = std::move(newRecords);
  // A file gone (deleted) leaves the selection where it was in the list.
  selected = std::min(std::max(selected, 0), RowCount() - 1);
  for (int i = 0; i < RowCount(); ++i) {
    if (listing.rows[i].path == selectedPath) selected = i;
  }
  if (part == ListPart::ConfirmDelete) part = ListPart::Rows;
  firstShown = std::clamp(firstShown, 0, std::max(0, RowCount() - kListRowsShown));
  KeepSelectionInView();
  if (part == ListPart::Rows) ShowSelectedLine();
}

const ListedLevel* c_cLevelList::Selected() const {
  return selected >= 0 && selected < RowCount() ? &listing.rows[selected] : nullptr;
}

std::array<ListAction, kListActionSlots> c_cLevelList::Actions() const {
  using A = ListAction;
  switch (part) {
    case ListPart::Rows: {
      const ListedLevel* row = Selected();
      if (row == nullptr) return {A::None, A::None, A::None, A::None};
      const bool reads = row->readable;
      return {reads ? A::Play : A::None, reads ? A::Edit : A::None, row->playersOwn ? A::Delete : A::None, A::None};
    }
    case ListPart::ConfirmDelete: return {A::Yes, A::No, A::None, A::None};
    case ListPart::ChooseRandom: return {A::Easy, A::Medium, A::Hard, A::Cancel};
    case ListPart::RandomMade: return {A::Play, A::Save, A::Edit, A::Cancel};
  }
  return {A::None, A::None, A::None, A::None};
}

std::vector<HitBox> c_cLevelList::Buttons() const {
  std::vector<HitBox> boxes;
  if (part == ListPart::Rows) {
    for (int i = 0; i < kListRowsShown && firstShown + i < RowCount(); ++i) boxes.push_back(ListRowBox(i));
    if (firstShown > 0) boxes.push_back(kListScrollUp);
    if (firstShown + kListRowsShown < RowCount()) boxes.push_back(kListScrollDown);
  }
  const FocusList keys = KeyFocus();
  boxes.insert(boxes.end(), keys.boxes.begin(), keys.boxes.end());
  return boxes;
}

FocusList c_cLevelList::KeyFocus() const {
  FocusList list;
  const std::array<ListAction, kListActionSlots> actions = Actions();
  for (int i = 0; i < kListActionSlots; ++i) {
    if (actions[i] != ListAction::None) list.boxes.push_back(kListActionSlot[i]);
  }
  if (part == ListPart::Rows) list.boxes.push_back(kListRandomButton);
  list.boxes.push_back(kListBackButton);
  return list;
}

ScreenRequest c_cLevelList::Click(float x, float y) {
  if (kListBackButton.Contains(x, y)) return Back();
  const std::array<ListAction, kListActionSlots> actions = Actions();
  for (int i = 0; i < kListActionSlots; ++i) {
    if (kListActionSlot[i].Contains(x, y)) return Press(actions[i]);
  }
  // The rows and the random button belong to the page's first part alone.
  if (part != ListPart::Rows) return ScreenRequest::None;
  if (kListRandomButton.Contains(x, y)) {
    part = ListPart::ChooseRandom;
    line = "New random level: how hard?";
    return ScreenRequest::None;
  }
  if (kListScrollUp.Contains(x, y)) MoveSelection(-kListRowsShown);
  if (kListScrollDown.Contains(x, y)) MoveSelection(kListRowsShown);
  for (int i = 0; i < kListRowsShown && firstShown + i < RowCount(); ++i) {
    if (!ListRowBox(i).Contains(x, y)) continue;
    selected = firstShown + i;
    ShowSelectedLine();
  }
  return ScreenRequest::None;
}

void c_cLevelList::MoveSelection(int step) {
  if (part != ListPart::Rows || RowCount() == 0) return;
  selected = std::clamp(selected + step, 0, RowCount() - 1);
  KeepSelectionInView();
  ShowSelectedLine();
}

void c_cLevelList::KeepSelectionInView() {
  if (selected < 0) return;
  if (selected < firstShown) firstShown = selected;
  if (selected >= firstShown + kListRowsShown) firstShown = selected - kListRowsShown + 1;
}

void c_cLevelList::ShowSelectedLine() {
  const ListedLevel* row = Selected();
  if (row == nullptr) {
    line = "No level files yet: make one with New random level";
  } else {
    line = row->readable ? row->fileName : row->reason;
  }
}

ScreenRequest c_cLevelList::Back() {
  if (part == ListPart::Rows) return ScreenRequest::LeaveLevelList;
  part = ListPart::Rows;
  ShowSelectedLine();
  return ScreenRequest::None;
}

ScreenRequest c_cLevelList::Press(ListAction action) {
  switch (action) {
    case ListAction::Play:
      return Choose(part == ListPart::RandomMade) ? ScreenRequest::PlayListedLevel : ScreenRequest::None;
    case ListAction::Edit:
      return Choose(part == ListPart::RandomMade) ? ScreenRequest::EditListedLevel : ScreenRequest::None;
    case ListAction::Delete:
      part = ListPart::ConfirmDelete;
      line = "Delete " + Selected()->fileName + "?";
      return ScreenRequest::None;
    case ListAction::Yes:
      chosenPath = Selected()->path;
      part = ListPart::Rows;
      return ScreenRequest::DeleteListedLevel;
    case ListAction::Easy: MakeRandomLevel(Difficulty::Easy); break;
    case ListAction::Medium: MakeRandomLevel(Difficulty::Medium); break;
    case ListAction::Hard: MakeRandomLevel(Difficulty::Hard); break;
    case ListAction::Save:
      Choose(true);
      return ScreenRequest::SaveRandomLevel;
    case ListAction::No:
    case ListAction::Cancel: return Back();
    case ListAction::None: break;
  }
  return ScreenRequest::None;
}

bool c_cLevelList::Choose(bool random) {
  if (random) {
    chosenLayout = randomLayout;
    chosenPath.clear();
    chosenKey = 0;
    return true;
  }
  const ListedLevel* row = Selected();
  if (row == nullptr || !row->readable) return false;
  chosenLayout = row->layout;
  chosenPath = row->path;
  chosenKey = row->contentKey;
  return true;
}

void c_cLevelList::MakeRandomLevel(Difficulty difficulty) {
  // The calendar that is only shown: asking for a random level reads nothing
  // a replay records.
  const std::uint32_t seed = static_cast<std::uint32_t>(ShownCalendarSeconds()) ^ (++randomDraws * kDrawSpread);
  const GeneratedLevel made = GenerateLevel(seed, difficulty);
  randomDifficulty = difficulty;
  randomLayout = made.layout;
  randomIron = made.solution.ironCost;
  part = ListPart::RandomMade;
  line = std::string("Random level (") + DifficultyName(difficulty) + "): " + randomLayout.name + ", cheapest track " +
         std::to_string(randomIron) + " iron";
}

void c_cLevelList::WorkOutShownIron() {
  for (int i = firstShown; i < firstShown + kListRowsShown && i < RowCount(); ++i) {
    ListedLevel& row = listing.rows[i];
    if (!row.readable || row.cheapestIron != ListedLevel::kIronNotWorkedOut) continue;
    auto known = ironByContent.find(row.contentKey);
    if (known == ironByContent.end()) known = ironByContent.emplace(row.contentKey, CheapestIronOf(row.layout)).first;
    row.cheapestIron = known->second;
  }
}
