// The level editor's side of the main game: opening it (from the menu's sign,
// the page of custom levels or --edit-level), its keys and its pad, playing
// the level being edited and coming back to it, and saving it.
//
//   arrows            the board cursor       Enter, Space   place at the cursor
//   1 to 9, Q, E      a tool                 Delete, Backspace, right click: erase
//   Ctrl+Z, Ctrl+Y    undo, redo             Tab            the buttons in turn
//   S                 save                   P, T           play the level
//   R, H              the cheapest route     C              copy the next built-in level
//   Escape            the menu (asking first while changes are unsaved)
// The pad: the D-pad moves the cursor, A places, B erases, LB and RB choose
// the tool, X plays, Y shows the route, Start leaves.
#include <cstdio>

#include "game/editor/level_verdict.h"
#include "game/rules/level_writer.h"
#include "game/session/folders.h"
#include "game/session/edited_level_save.h"
#include "host/game.h"
#include "game/session/main_game.h"
#include "host/input.h"

namespace {

constexpr int kControlKey = 17;
constexpr int kKeyDigit1 = '1';
constexpr int kToolDigits = 9;
constexpr int kCharacterBackspace = 8;
constexpr int kCharacterTab = 9;
constexpr int kCharacterEnter = 13;
constexpr int kCharacterEscape = 27;

// The level written whole into the file at path: a temporary file beside it,
// renamed over it. False with the reason when it could not be.
bool WriteLevelFileWhole(const std::string& path, const LevelLayout& level, std::string* why) {
  const std::string temporary = path + ".tmp";
  const std::string text = WriteLevelText(level);
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (file != nullptr) written = std::fclose(file) == 0 && written;
  if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  *why = "Not saved: " + path + " cannot be written";
  return false;
}

}  // namespace

void c_MainGame::OpenEditor(const LevelLayout& layout, const std::string& path) {
  // A level from a file is saved back into it; a new one into the levels folder.
  editor->Open(layout, path, !path.empty());
  ShowEditor();
}

void c_MainGame::ShowEditor() {
  feedback->Clear();
  editorOnBoard = true;
  screen = ScreenEditor;
}

void c_MainGame::UpdateEditor() {
  if (editor->typing) {
    TypeIntoName();
    if (LeftClicked()) Act(editor->Click(PointerX(), PointerY()));
    return;
  }
  if (ApplyEditorKeys()) return;
  float x = 0, y = 0;
  if (LeftClicked()) {
    Act(editor->Click(PointerX(), PointerY()));
  } else if (Hit(KeyMouseRight) != 0) {
    editor->EraseClick(PointerX(), PointerY());
  } else if (FocusPressed(&x, &y)) {
    Act(editor->Click(x, y));
  }
}

// The characters typed since the last update into the name; Enter, Escape
// and Tab give the keys back.
void c_MainGame::TypeIntoName() {
  for (int c = currentInputDevice->GetChar(); c != 0; c = currentInputDevice->GetChar()) {
    if (c == kCharacterEnter || c == kCharacterEscape || c == kCharacterTab) {
      editor->StopTyping();
      return;
    }
    if (c == kCharacterBackspace) {
      editor->DeleteCharacter();
    } else {
      editor->TypeCharacter(c);
    }
  }
}

bool c_MainGame::ApplyEditorKeys() {
  if (editor->question != EditorQuestion::None) {
    if (Hit(KeyAction::Back) != 0 || Hit(KeyPadBack) != 0) {
      Act(editor->Answer(false));
      return true;
    }
    MoveFocus(true, true);
    editorOnBoard = false;
    return false;
  }
  if (Hit(KeyAction::Back) != 0) {
    Act(editor->AskLeave());
    return true;
  }
  const bool control = currentInputDevice->KeyDown(kControlKey);
  if (control) {
    if (Hit('Z') != 0) editor->Undo();
    if (Hit('Y') != 0) editor->Redo();
    return false;
  }
  ApplyEditorToolKeys();
  int cellX = 0, cellY = 0;
  const bool erase = Hit(KeyAction::DropPiece) != 0 || Hit(KeyAction::DropPieceToo) != 0 || Hit(KeyPadBack) != 0;
  if (erase && EditorTargetCell(&cellX, &cellY)) editor->EraseAtCell(CellXY{cellX, cellY});
  if (Hit('R') != 0 || Hit(KeyAction::Hint) != 0) editor->ToggleRoute();
  if (Hit('C') != 0) editor->CopyNextLevel();
  if (Hit('S') != 0) {
    Act(editor->AskSave());
    return true;
  }
  if (Hit('P') != 0 || Hit(KeyAction::SendTrain) != 0) {
    Act(editor->AskPlay());
    return true;
  }
  const int arrows = Hit(KeyAction::Left) + Hit(KeyAction::Right) + Hit(KeyAction::Up) + Hit(KeyAction::Down);
  if (arrows != 0) editorOnBoard = true;
  MoveCursor();
  if (Hit(KeyAction::NextButton) != 0) {
    MoveFocus(false, false);
    editorOnBoard = false;
  }
  return false;
}

void c_MainGame::ApplyEditorToolKeys() {
  for (int digit = 0; digit < kToolDigits; ++digit) {
    if (Hit(kKeyDigit1 + digit) != 0) editor->ChooseTool(digit);
  }
  const int step = Hit(KeyAction::NextPiece) - Hit(KeyAction::PreviousPiece);
  if (step != 0) editor->StepTool(step);
}

bool c_MainGame::EditorTargetCell(int* x, int* y) const {
  if (screen != ScreenEditor || editor->question != EditorQuestion::None) return false;
  if (keysFocus) {
    if (!editorOnBoard) return false;
    *x = cursorX;
    *y = cursorY;
    return true;
  }
  const int cx = CellAt(PointerX());
  const int cy = CellAt(PointerY());
  if (!OnBoard(cx, cy)) return false;
  *x = cx;
  *y = cy;
  return true;
}

void c_MainGame::SaveEditedNow() {
  const LevelLayout& level = editor->Layout();
  if (editor->savesToPath) {
    SaveEditedToPath();
    return;
  }
  const SaveResult result = SaveEditedLevelFor(currentGame->Files(), level, editor->replaceConfirmed);
  switch (result.outcome) {
    case SaveOutcome::Saved:
      editor->TakeSaveAnswer(EditorSaveAnswer::Saved, result.message);
      break;
    case SaveOutcome::AlreadyThere:
      editor->TakeSaveAnswer(EditorSaveAnswer::AlreadyThere, result.message);
      break;
    case SaveOutcome::NotWinnable:
      // The verdict is the reason.
      editor->TakeSaveAnswer(EditorSaveAnswer::Refused, "Not saved: " + result.message);
      break;
    case SaveOutcome::Failed:
      editor->TakeSaveAnswer(EditorSaveAnswer::Refused, result.message);
      break;
  }
}

// --edit-level's file: refused while the level cannot be won, as any save.
void c_MainGame::SaveEditedToPath() {
  const LevelVerdict& verdict = editor->verdict;
  if (!verdict.winnable) {
    editor->TakeSaveAnswer(EditorSaveAnswer::Refused, "Not saved: " + verdict.text);
    return;
  }
  std::string why;
  if (WriteLevelFileWhole(editor->path, editor->Layout(), &why)) {
    editor->TakeSaveAnswer(EditorSaveAnswer::Saved, "Saved as " + editor->path);
  } else {
    editor->TakeSaveAnswer(EditorSaveAnswer::Refused, why);
  }
}

void c_MainGame::RenderEditorScreen() {
  boardView->gridShown = true;
  int x = 0, y = 0;
  const bool target = EditorTargetCell(&x, &y);
  const int tools = static_cast<int>(ToolPalette().size());
  int hovered = -1;
  for (int t = 0; t < tools && !keysFocus; ++t) {
    if (ToolSlotBox(t, tools).Contains(PointerX(), PointerY())) hovered = t;
  }
  editorView->RenderEditor(*editor, *boardView, target, CellXY{x, y}, hovered);
}
