// The keyboard, the pad and the right button, beside the mouse rules of each
// screen. Every key does what a click does, through the same handlers: a
// press key clicks the centre of the focused button or of the cursor's cell.
//
//   title, end picture  Enter, Space: continue
//   menu                Up, Down: the focus; Enter, Space: press
//   map                 Left, Right: the level; Up, Down, Tab: the focus;
//                       Enter, Space: press; Escape: save, back to the menu
//   board               arrows: the cursor; Enter, Space: click its cell;
//                       1 to 8, Q, E: the palette's slots; T: TIME;
//                       Delete, Backspace, right click: drop the selection;
//                       Escape: pause and resume; H: a hint
//   failed panel        S: the solver shows how (a demonstration)
//   tutorial page       Enter, Space, Right: the next page; Escape: skip them
//   panels              arrows, Tab: the focus; Enter, Space: press
// These are the default bindings; the player may bind each action to another
// key (rules/key_bindings.h), and the keys are read through the bindings.
// The pad's buttons arrive as the keys bound to their actions
// (gamepad_keys.h); its B, back, is read here.
#include "game/rules/board.h"
#include "game/rules/progress.h"
#include "game/session/main_game.h"
#include "host/input.h"

int c_MainGame::Hit(int key) const { return currentInputDevice->KeyHit(key); }

int c_MainGame::Hit(KeyAction action) const { return Hit(gameState.settings.keys.Of(action)); }

bool c_MainGame::PressKeyHit() const { return Hit(KeyAction::Press) != 0 || Hit(KeyAction::PressToo) != 0; }

void c_MainGame::ApplyPlayingKeys() {
  const ScreenFlags& flags = match->flags;
  if (match->run.trainCrashed == 1 && Hit(KeyAction::ShowMe) != 0) Act(ScreenRequest::ShowMe);
  // A page is turned by a press alone (PlayingPress); Escape (or the pad's B)
  // closes the whole run of pages.
  if (flags.tutorialShowing == 1) {
    if (MendedRules() && (Hit(KeyAction::Back) != 0 || Hit(KeyPadBack) != 0)) gui->SkipTutorial();
    return;
  }
  const bool resultShown = match->run.trainArrived == 1 || match->run.trainCrashed == 1;
  if (CustomMatch() && Hit(KeyEscape) != 0) {
    // A custom match has no progress to keep: Escape leaves it.
    Act(ScreenRequest::QuitLevel);
    return;
  }
  if (!resultShown) {
    if (Hit(KeyAction::Back) != 0) {
      if (flags.gamePaused == 1) {
        Act(gui->PressPauseButton(PauseResume));
      } else {
        match->flags.gamePaused = 1;
      }
    } else if (flags.gamePaused == 1 && Hit(KeyPadBack) != 0) {
      Act(gui->PressPauseButton(PauseResume));
    }
  }
  if (flags.gamePaused == 1 || resultShown) {
    MoveFocus(true, true);
    return;
  }
  if (Hit(KeyAction::Hint) != 0) {
    Act(ScreenRequest::ShowHint);
  }
  for (int slot = 0; slot < kPaletteSlots; ++slot) {
    if (Hit(static_cast<KeyAction>(static_cast<int>(KeyAction::Piece1) + slot)) != 0) match->run.selectedPiece = slot;
  }
  StepSlot();
  if (Hit(KeyMouseRight) != 0 || Hit(KeyAction::DropPiece) != 0 || Hit(KeyAction::DropPieceToo) != 0 || Hit(KeyPadBack) != 0) {
    match->run.selectedPiece = -1;
  }
  MoveCursor();
}

// Q and E: the previous and the next slot, round the palette; from no
// selection, the last and the first.
void c_MainGame::StepSlot() {
  const int step = Hit(KeyAction::NextPiece) - Hit(KeyAction::PreviousPiece);
  if (step == 0) return;
  int& selected = match->run.selectedPiece;
  if (selected < 0) selected = step > 0 ? -1 : kPaletteSlots;
  selected = ((selected + step) % kPaletteSlots + kPaletteSlots) % kPaletteSlots;
}

void c_MainGame::MoveCursor() {
  const int dx = Hit(KeyAction::Right) - Hit(KeyAction::Left);
  const int dy = Hit(KeyAction::Down) - Hit(KeyAction::Up);
  if (dx == 0 && dy == 0) return;
  keysFocus = true;
  auto clamp = [](int v, int count) { return v < 0 ? 0 : (v >= count ? count - 1 : v); };
  cursorX = clamp(cursorX + dx, kColumns);
  cursorY = clamp(cursorY + dy, kRows);
}

bool c_MainGame::PlayingPress(float* x, float* y) {
  if (LeftClicked()) {
    *x = PointerX();
    *y = PointerY();
    return true;
  }
  SyncFocusPlace();
  if (match->flags.tutorialShowing == 1) {
    // Anywhere turns a page.
    PressPointOf(OpenBox(0, kScreenWidth, 0, kScreenHeight), x, y);
    return PressKeyHit() || Hit(KeyAction::Right) != 0;
  }
  if (FocusPressed(x, y)) return true;
  if (focusPlace == FocusPlace::Board && Hit(KeyAction::SendTrain) != 0) {
    PressPointOf(kDepartButton, x, y);
    return true;
  }
  return false;
}

ScreenRequest c_MainGame::ApplyMapKeys() {
  if (Hit(KeyAction::Back) != 0 || Hit(KeyPadBack) != 0) return ScreenRequest::LeaveMap;
  const int step = Hit(KeyAction::Right) - Hit(KeyAction::Left);
  const int level = step == 0 ? -1 : scenarioMap->NeighbourLevel(step > 0 ? 1 : -1);
  if (level >= 0) {
    keysFocus = true;
    float x = 0, y = 0;
    PressPointOf(IconBox(scenarioMap->icons[level]), &x, &y);
    const ScreenRequest request = scenarioMap->ClickMap(x, y);
    if (request != ScreenRequest::None) return request;
  }
  MoveFocus(true, false);
  return ScreenRequest::None;
}
