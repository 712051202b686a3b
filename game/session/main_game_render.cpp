// Drawing the current screen from state: the views, then the highlight.
#include "game/session/main_game.h"
#include "game/views/highlight.h"
#include "support/virtual_display.h"

// ---- Render ----------------------------------------------------------------------

int c_MainGame::Render() {
  if (!withMedia) return 0;
  ApplyVirtualDisplay();
  ClearToColor(0, 0, 0);
  switch (screen) {
    case ScreenLogo:
      DrawImage(logoImage, 0, 0);
      break;
    case ScreenTitle:
      menuView->RenderTitle();
      break;
    case ScreenMenu:
      menuView->RenderMenu();
      settingsView->RenderMenuSign();
      break;
    case ScreenScenarioMap:
      mapView->RenderScenarioMap(*scenarioMap);
      break;
    case ScreenPlaying:
      RenderLevel();
      break;
    case ScreenTheEnd:
      menuView->RenderTheEnd(scenarioMap->records);
      break;
    default:
      break;
  }
  if (screen == ScreenMenu || screen == ScreenPlaying) settingsView->RenderPanel(*settingsPanel);
  DrawHighlight(focus);
  return 0;
}

bool c_MainGame::BoardGridShown() const {
  const bool cursorOnBoard = keysFocus && CurrentFocusPlace() == FocusPlace::Board;
  return !demo.running && (gameState.run.selectedPiece >= 0 || cursorOnBoard);
}

void c_MainGame::RenderLevel() {
  boardView->gridShown = BoardGridShown();
  boardView->RenderBoard(*level);
  trainView->RenderTrain(*train, level);
  boardView->RenderBoardOverlay(*level);
  int cellX = 0, cellY = 0;
  if (BoardPreviewShown() && !demo.running && TargetCell(&cellX, &cellY)) {
    boardView->DrawClickPreview(*level, static_cast<float>(CellCentre(cellX)), static_cast<float>(CellCentre(cellY)));
  }
  if (hint.shown && !demo.running) hintView->RenderHintGhosts(hint, boardView->pieceImages);
  guiView->RenderGui(wonTally);
  const ScreenFlags& shown = gameState.screen;
  if (shown.gamePaused == 1 && shown.tutorialShowing == 0) settingsView->RenderPauseButton();
  if (!demo.running) boardView->moments->DrawOverGui(gameState.clock.lastMillisecs);
  const LevelRun& run = gameState.run;
  if (demo.running) {
    hintView->RenderDemonstrationBanner();
  } else if (run.trainCrashed == 1) {
    hintView->RenderShowMeButton();
  } else if (run.trainArrived == 0 && gameState.screen.gamePaused == 0) {
    // Not over the pause panel or a page, which step the board back.
    hintView->RenderHintButton();
    if (hint.shown) hintView->RenderHintLine(hint);
  }
  const ScreenFlags& flags = gameState.screen;
  const bool page = flags.tutorialShowing == 1 && flags.tutorialPage >= 0 && flags.tutorialPage < kTutorialPageCount;
  if (page && MendedRules()) hintView->RenderTutorialSkip(flags.tutorialPage);
}
