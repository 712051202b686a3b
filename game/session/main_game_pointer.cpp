// The pointer's side of the main game: where it points in virtual pixels,
// what a click there would act on (the hover highlight, the hand cursor), and
// the train's sound and the music's dip that follow what the screen shows.
#include "game/rules/economy.h"
#include "game/session/main_game.h"
#include "host/input.h"
#include "support/virtual_display.h"

void c_MainGame::UpdateHover() {
  if (!withMedia) {
    focus = FocusBox{};
    return;
  }
  focus = keysFocus ? KeyFocusBox() : BoxAt(ScreenButtons(), PointerX(), PointerY());
  // The hand follows the pointer only while the pointer has the focus.
  const bool hand = !keysFocus && PointerOverClickable();
  if (hand != handCursor) {
    handCursor = hand;
    currentGame->SetMouseCursorShape(hand);
  }
}

void c_MainGame::UpdateAmbience() {
  if (!withMedia) return;
  ambience.Update(screen == ScreenPlaying ? LevelScene(Shown(), PanelShown()) : AmbienceScene{});
}

bool c_MainGame::PanelShown() const {
  return Shown().flags.gamePaused == 1 || Shown().run.trainArrived == 1 || Shown().run.trainCrashed == 1;
}

bool c_MainGame::BoardPreviewShown() const { return screen == ScreenPlaying && !PanelShown(); }

bool c_MainGame::PointerOverClickable() const {
  if (focus.shown) return true;
  switch (screen) {
    case ScreenTitle:
    case ScreenTheEnd:
      return true;
    case ScreenEditor: {
      // Over the board: where the chosen tool would be laid.
      int x = 0, y = 0;
      return EditorTargetCell(&x, &y) && editor->PreviewAt(CellXY{x, y}).fits;
    }
    case ScreenPlaying:
      break;
    default:
      return false;
  }
  if (Shown().flags.tutorialShowing == 1) return true;
  if (!BoardPreviewShown()) return false;
  const BoardTarget target = TargetOfClick(*Shown().board, PointerX(), PointerY());
  return target.kind == BoardTargetKind::Enemy ||
         (target.kind != BoardTargetKind::Nothing && target.verdict == OrderVerdict::Taken);
}

std::vector<HitBox> c_MainGame::ScreenButtons() const {
  if (CurrentFocusPlace() == FocusPlace::Settings) return settingsPanel->Buttons();
  switch (screen) {
    case ScreenMenu: return menu->Buttons();
    case ScreenScenarioMap: return scenarioMap->Buttons();
    case ScreenLevelList: return levelList->Buttons();
    case ScreenEditor: return editor->Buttons();
    case ScreenPlaying: return demo.running ? std::vector<HitBox>{} : gui->Buttons();
    default: return {};
  }
}

// ---- Input -----------------------------------------------------------------------

bool c_MainGame::LeftClicked() const { return currentInputDevice->KeyHit(KeyMouseLeft) != 0; }

namespace {

// A run that never draws never shows the display its device; it is told here,
// and a run without any window takes the pointer as virtual pixels.
void TrackDeviceWithoutDrawing(int* width, int* height) {
  currentGlfwGame->GetWindowSize(width, height);
  if (*width <= 0 || *height <= 0) {
    *width = static_cast<int>(VirtualWidth());
    *height = static_cast<int>(VirtualHeight());
  }
  currentVirtualDisplay->UpdateDevice(*width, *height);
}

}  // namespace

float c_MainGame::PointerX() const {
  if (withMedia) return VirtualMouseX();
  int w = 0, h = 0;
  TrackDeviceWithoutDrawing(&w, &h);
  return currentVirtualDisplay->MapMouseX(currentInputDevice->mouseX, w);
}

float c_MainGame::PointerY() const {
  if (withMedia) return VirtualMouseY();
  int w = 0, h = 0;
  TrackDeviceWithoutDrawing(&w, &h);
  return currentVirtualDisplay->MapMouseY(currentInputDevice->mouseY, h);
}
