// One focus for the pointer and the keys. Each screen and panel lists the
// buttons the keys move between; over the board the keys move a cursor cell
// by cell. Whichever moved last owns the focus: the keys show theirs, a moved
// pointer shows what it points at, and the keys' focus follows the pointer so
// that a key pressed next acts on what is highlighted.
#include "game/rules/board.h"
#include "game/session/main_game.h"
#include "host/input.h"

c_MainGame::FocusPlace c_MainGame::CurrentFocusPlace() const {
  if (settingsPanel && settingsPanel->shown && (screen == ScreenMenu || screen == ScreenPlaying)) {
    return FocusPlace::Settings;
  }
  switch (screen) {
    case ScreenMenu:
      return FocusPlace::Menu;
    case ScreenScenarioMap:
      return FocusPlace::Map;
    case ScreenLevelList:
      return FocusPlace::LevelList;
    case ScreenEditor:
      return FocusPlace::Editor;
    case ScreenPlaying: {
      const ScreenFlags& flags = Shown().flags;
      if (flags.tutorialShowing == 1) return FocusPlace::None;
      if (flags.gamePaused == 1) return FocusPlace::PausePanel;
      if (Shown().run.trainArrived == 1) return FocusPlace::WonPanel;
      if (Shown().run.trainCrashed == 1) return FocusPlace::FailedPanel;
      return FocusPlace::Board;
    }
    default:
      return FocusPlace::None;
  }
}

FocusList c_MainGame::KeyFocusList() const {
  switch (focusPlace) {
    case FocusPlace::Menu: return menu->KeyFocus();
    case FocusPlace::Settings: return settingsPanel->KeyFocus();
    case FocusPlace::Map: return scenarioMap->KeyFocus();
    case FocusPlace::LevelList: return levelList->KeyFocus();
    case FocusPlace::Editor: return editor->KeyFocus();
    case FocusPlace::PausePanel:
    case FocusPlace::WonPanel:
    case FocusPlace::FailedPanel: return gui->PanelFocus();
    default: return {};
  }
}

void c_MainGame::SyncFocusPlace() {
  const FocusPlace place = CurrentFocusPlace();
  if (place == focusPlace) return;
  focusPlace = place;
  focusIndex = KeyFocusList().start;
  hoverOnFocus = false;
  if (!MendedRules()) return;
  // A panel that opens shows its first choice at once, so the first press of
  // Enter acts (the first rules only showed it). Back on the board the
  // pointer has the focus again if it had it before.
  const bool panel = place == FocusPlace::PausePanel || place == FocusPlace::WonPanel ||
                     place == FocusPlace::FailedPanel || place == FocusPlace::Settings;
  if (panel && !keysFocus) {
    keysFocus = true;
    pointerBeforePanel = true;
  } else if (!panel) {
    if (pointerBeforePanel) keysFocus = false;
    pointerBeforePanel = false;
  }
}

void c_MainGame::FollowPointer() {
  const float rawX = currentInputDevice->mouseX;
  const float rawY = currentInputDevice->mouseY;
  const bool moved = pointerSeen && (rawX != lastPointerX || rawY != lastPointerY);
  // Where the pointer is when the game starts is no move.
  pointerSeen = true;
  lastPointerX = rawX;
  lastPointerY = rawY;
  if (!moved) return;
  keysFocus = false;
  pointerBeforePanel = false;
  SyncFocusPlace();
  hoverOnFocus = false;
  const float x = PointerX();
  const float y = PointerY();
  if (focusPlace == FocusPlace::Board) {
    const int cx = CellAt(x);
    const int cy = CellAt(y);
    if (!OnBoard(cx, cy)) return;
    cursorX = cx;
    cursorY = cy;
    hoverOnFocus = true;
    return;
  }
  if (focusPlace == FocusPlace::Editor) {
    // Over the board the cursor follows the pointer, as on a level's board.
    const int cx = CellAt(x);
    const int cy = CellAt(y);
    editorOnBoard = OnBoard(cx, cy) && editor->question == EditorQuestion::None;
    if (editorOnBoard) {
      cursorX = cx;
      cursorY = cy;
      hoverOnFocus = true;
      return;
    }
  }
  const FocusList list = KeyFocusList();
  for (int i = 0; i < static_cast<int>(list.boxes.size()); ++i) {
    if (!list.boxes[i].Contains(x, y)) continue;
    focusIndex = i;
    hoverOnFocus = true;
    return;
  }
}

void c_MainGame::MoveFocus(bool upDown, bool leftRight) {
  int forward = Hit(KeyAction::NextButton);
  int back = 0;
  if (upDown) forward += Hit(KeyAction::Down), back += Hit(KeyAction::Up);
  if (leftRight) forward += Hit(KeyAction::Right), back += Hit(KeyAction::Left);
  if (forward + back == 0) return;
  keysFocus = true;
  SyncFocusPlace();
  const int count = static_cast<int>(KeyFocusList().boxes.size());
  if (count == 0) return;
  // Round the list: past the last button to the first and back.
  focusIndex = ((focusIndex + forward - back) % count + count) % count;
}

bool c_MainGame::FocusPressed(float* x, float* y) {
  if (!PressKeyHit()) return false;
  SyncFocusPlace();
  const bool shown = keysFocus || hoverOnFocus;
  keysFocus = true;
  if (!shown) return false;
  const FocusBox box = KeyFocusBox();
  if (!box.shown) return false;
  PressPointOf(box.box, x, y);
  return true;
}

FocusBox c_MainGame::KeyFocusBox() const {
  const bool editorCursor = focusPlace == FocusPlace::Editor && editorOnBoard && editor->question == EditorQuestion::None;
  if (focusPlace == FocusPlace::Board || editorCursor) {
    const float left = static_cast<float>(CellLeft(cursorX));
    const float top = static_cast<float>(CellTop(cursorY));
    return FocusBox{true, ClosedBox(left, left + kCellSize, top, top + kCellSize)};
  }
  const FocusList list = KeyFocusList();
  if (list.boxes.empty()) return FocusBox{};
  const int last = static_cast<int>(list.boxes.size()) - 1;
  return FocusBox{true, list.boxes[focusIndex < last ? focusIndex : last]};
}

bool c_MainGame::TargetCell(int* x, int* y) const {
  if (CurrentFocusPlace() != FocusPlace::Board) return false;
  if (keysFocus) {
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
