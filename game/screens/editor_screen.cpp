#include "game/screens/editor_screen.h"

#include "game/rules/economy.h"
#include "game/rules/layouts.h"
#include "game/rules/level_format.h"
#include "game/rules/state.h"

namespace {

// The editor's board is laid out on a fixed calendar second, so its ground
// does not change under the player's edits.
std::int64_t EditorCalendar() { return 0; }

// The editor's board counts no enemy's introduction as shown for the player.
Progress editorPages;

// The files' kinds 0..3, worded as the map words them.
constexpr int kEventsLevels = kMaxEventKind + 1;
int LevelOfKind(const LevelLayout& level, int kind) {
  if (level.events == EventsCleared || kind <= 0) return 0;
  return kind < kEventsLevels ? kind : kEventsLevels - 1;
}

}  // namespace

int BanditsLevel(const LevelLayout& level) { return LevelOfKind(level, level.banditsKind); }
int RaidersLevel(const LevelLayout& level) { return LevelOfKind(level, level.indigensKind); }

const char* EventsWord(int eventsLevel) {
  static const char* const kWords[kEventsLevels] = {"none", "low", "medium", "high"};
  return eventsLevel >= 0 && eventsLevel < kEventsLevels ? kWords[eventsLevel] : kWords[0];
}

c_cEditor::c_cEditor() {
  board = new Match();
  board->calendar = EditorCalendar;
  board->player = &editorPages;
  Open(EmptyLevel(), "", false);
}

void c_cEditor::Mark() { board.Mark(); }

// A new editor starts with scenery in hand, what a first click most likely
// wants (START and FINISH are already laid).
int c_cEditor::FirstSceneryTool() {
  const std::vector<ToolChoice>& palette = ToolPalette();
  for (std::size_t t = 0; t < palette.size(); ++t) {
    if (palette[t].tool == EditTool::Scenery) return static_cast<int>(t);
  }
  return 0;
}

void c_cEditor::Open(const LevelLayout& layout, const std::string& file, bool toFile) {
  history_ = std::make_unique<EditHistory>(layout);
  path = file;
  savesToPath = toFile;
  toolIndex = FirstSceneryTool();
  routeShown = false;
  typing = false;
  question = EditorQuestion::None;
  message.clear();
  replaceConfirmed = false;
  FollowLayout();
}

void c_cEditor::Commit(const LevelLayout& next) {
  history_->Commit(next);
  message.clear();
  FollowLayout();
}

void c_cEditor::FollowLayout() {
  verdict = JudgeLevel(Layout());
  StartMatch(*board, Layout(), MatchStart{});
  // Drawn as at the level's start, with no page over it.
  board->flags = ScreenFlags{};
}

// ---- Input -------------------------------------------------------------------------

ScreenRequest c_cEditor::Click(float x, float y) {
  if (question != EditorQuestion::None) {
    if (kEditorYes.Contains(x, y)) return Answer(true);
    if (kEditorNo.Contains(x, y)) return Answer(false);
    return ScreenRequest::None;
  }
  typing = false;
  for (int b = 0; b < kEditorButtonCount; ++b) {
    if (kEditorButtons[b].Contains(x, y)) return PressButton(b);
  }
  const int tools = static_cast<int>(ToolPalette().size());
  for (int t = 0; t < tools; ++t) {
    if (ToolSlotBox(t, tools).Contains(x, y)) {
      ChooseTool(t);
      return ScreenRequest::None;
    }
  }
  const CellXY cell{CellAt(x), CellAt(y)};
  if (OnBoard(cell.x, cell.y)) PlaceAt(cell);
  return ScreenRequest::None;
}

void c_cEditor::EraseClick(float x, float y) {
  if (question != EditorQuestion::None) return;
  const CellXY cell{CellAt(x), CellAt(y)};
  if (OnBoard(cell.x, cell.y)) EraseAtCell(cell);
}

ScreenRequest c_cEditor::PressButton(int button) {
  LevelLayout next = Layout();
  switch (button) {
    case EditorName:
      // A new level's name is typed afresh; any other is typed on.
      typing = true;
      nameDraft_ = next.name == kNewLevelName ? std::string() : next.name;
      return ScreenRequest::None;
    case EditorIronLess:
    case EditorIronMore:
      SetStartIron(next, next.iron + (button == EditorIronMore ? kEditorIronStep : -kEditorIronStep));
      break;
    case EditorReserveLess:
    case EditorReserveMore:
      if (!next.hasMine) return ScreenRequest::None;
      SetMineReserve(next, next.mineReserve + (button == EditorReserveMore ? kEditorReserveStep : -kEditorReserveStep));
      break;
    case EditorBandits:
      SetEvents(next, (BanditsLevel(next) + 1) % kEventsLevels, RaidersLevel(next));
      break;
    case EditorRaiders:
      SetEvents(next, BanditsLevel(next), (RaidersLevel(next) + 1) % kEventsLevels);
      break;
    case EditorUndo: Undo(); return ScreenRequest::None;
    case EditorRedo: Redo(); return ScreenRequest::None;
    case EditorRoute: ToggleRoute(); return ScreenRequest::None;
    case EditorPlay: return AskPlay();
    case EditorSave: return AskSave();
    case EditorCopy: CopyNextLevel(); return ScreenRequest::None;
    case EditorMenu: return AskLeave();
    default: return ScreenRequest::None;
  }
  Commit(next);
  return ScreenRequest::None;
}

void c_cEditor::PlaceAt(CellXY cell) {
  if (Tool().tool == EditTool::Eraser) {
    EraseAtCell(cell);
    return;
  }
  LevelLayout next = Layout();
  if (ApplyEdit(next, Tool(), cell)) Commit(next);
}

void c_cEditor::EraseAtCell(CellXY cell) {
  LevelLayout next = Layout();
  if (EraseAt(next, cell)) Commit(next);
}

void c_cEditor::ChooseTool(int index) {
  if (index >= 0 && index < static_cast<int>(ToolPalette().size())) toolIndex = index;
}

void c_cEditor::StepTool(int step) {
  const int count = static_cast<int>(ToolPalette().size());
  toolIndex = ((toolIndex + step) % count + count) % count;
}

void c_cEditor::Undo() {
  if (history_->Undo()) {
    message.clear();
    FollowLayout();
  }
}

void c_cEditor::Redo() {
  if (history_->Redo()) {
    message.clear();
    FollowLayout();
  }
}

void c_cEditor::CopyNextLevel() {
  copiedLevel = copiedLevel % kLevelCount + 1;
  LevelLayout copy = StartingCopy(copiedLevel);
  SetLevelName(copy, copy.name + " (copy)");
  Commit(copy);
  message = "Level " + std::to_string(copiedLevel) + " copied: undo brings yours back";
  messageRefused = false;
}

ScreenRequest c_cEditor::AskSave() {
  replaceConfirmed = false;
  return ScreenRequest::SaveEdited;
}

ScreenRequest c_cEditor::AskLeave() {
  if (!history_->Changed()) return ScreenRequest::ShowMenu;
  question = EditorQuestion::Leave;
  return ScreenRequest::None;
}

ScreenRequest c_cEditor::Answer(bool yes) {
  const EditorQuestion asked = question;
  question = EditorQuestion::None;
  if (!yes) return ScreenRequest::None;
  if (asked == EditorQuestion::Leave) return ScreenRequest::ShowMenu;
  replaceConfirmed = true;
  return ScreenRequest::SaveEdited;
}

void c_cEditor::TypeCharacter(int character) {
  if (!typing || character < ' ' || character > '~') return;
  if (static_cast<int>(nameDraft_.size()) >= kMaxLevelNameLength) return;
  nameDraft_ += static_cast<char>(character);
  LevelLayout next = Layout();
  SetLevelName(next, nameDraft_);
  Commit(next);
}

void c_cEditor::DeleteCharacter() {
  if (!typing || nameDraft_.empty()) return;
  nameDraft_.pop_back();
  LevelLayout next = Layout();
  SetLevelName(next, nameDraft_);
  Commit(next);
}

void c_cEditor::TakeSaveAnswer(EditorSaveAnswer answer, const std::string& line) {
  replaceConfirmed = false;
  if (answer == EditorSaveAnswer::AlreadyThere) {
    question = EditorQuestion::Replace;
    return;
  }
  if (answer == EditorSaveAnswer::Saved) history_->MarkSaved();
  message = line;
  messageRefused = answer == EditorSaveAnswer::Refused;
}

// ---- What shows ----------------------------------------------------------------------

std::vector<HitBox> c_cEditor::Buttons() const {
  if (question != EditorQuestion::None) return {kEditorYes, kEditorNo};
  std::vector<HitBox> boxes(kEditorButtons, kEditorButtons + kEditorButtonCount);
  const int tools = static_cast<int>(ToolPalette().size());
  for (int t = 0; t < tools; ++t) boxes.push_back(ToolSlotBox(t, tools));
  return boxes;
}

FocusList c_cEditor::KeyFocus() const {
  if (question != EditorQuestion::None) return {{kEditorYes, kEditorNo}, 1};
  return {std::vector<HitBox>(kEditorButtons, kEditorButtons + kEditorButtonCount), EditorPlay};
}

EditPreview c_cEditor::PreviewAt(CellXY cell) const { return PreviewEdit(Layout(), Tool(), cell); }

const ToolChoice& c_cEditor::Tool() const { return ToolPalette()[static_cast<std::size_t>(toolIndex)]; }
