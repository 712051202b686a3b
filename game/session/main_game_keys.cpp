// The keyboard and the right button, beside the mouse rules of each screen:
// Escape pauses a level and resumes it, and leaves the map for the menu;
// keys 1 to 8 pick the palette's slots; a right click drops the selection;
// H asks for a hint, and S on the failed panel shows the solver's play.
#include "game/session/main_game.h"
#include "game/rules/progress.h"
#include "host/input.h"

void c_MainGame::ApplyPlayingKeys() {
  c_InputDevice* input = currentInputDevice;
  if (gameState.run.trainCrashed == 1 && input->KeyHit('S') != 0) Act(ScreenRequest::ShowMe);
  // A tutorial page or a result panel is answered by clicks only.
  if (gameState.screen.tutorialShowing == 1 || gameState.run.trainArrived == 1 || gameState.run.trainCrashed == 1) return;
  if (input->KeyHit(KeyEscape) != 0) {
    if (gameState.screen.gamePaused == 1) {
      Act(gui->PressPauseButton(PauseResume));
    } else {
      gameState.screen.gamePaused = 1;
    }
  }
  if (gameState.screen.gamePaused == 1) return;
  if (input->KeyHit('H') != 0) Act(ScreenRequest::ShowHint);
  for (int slot = 0; slot < kPaletteSlots; ++slot) {
    if (input->KeyHit('1' + slot) != 0) gameState.run.selectedPiece = slot;
  }
  if (input->KeyHit(KeyMouseRight) != 0) gameState.run.selectedPiece = -1;
}

ScreenRequest c_MainGame::ApplyMapKeys() {
  return currentInputDevice->KeyHit(KeyEscape) != 0 ? ScreenRequest::LeaveMap : ScreenRequest::None;
}
