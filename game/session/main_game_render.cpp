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
      if (scenarioMap->LevelListCornerShown()) levelListView->RenderMapCorner();
      break;
    case ScreenLevelList:
      levelListView->RenderLevelList(*levelList);
      break;
    case ScreenPlaying:
      RenderLevel();
      break;
    case ScreenEditor:
      RenderEditorScreen();
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
  return !demo.running && (match->run.selectedPiece >= 0 || cursorOnBoard);
}

void c_MainGame::RenderLevel() {
  const Match& shown = Shown();
  boardView->gridShown = BoardGridShown();
  boardView->RenderBoard(shown);
  trainView->RenderTrain(shown);
  boardView->RenderBoardOverlay(shown);
  int cellX = 0, cellY = 0;
  if (BoardPreviewShown() && !demo.running && TargetCell(&cellX, &cellY)) {
    boardView->DrawClickPreview(shown, static_cast<float>(CellCentre(cellX)), static_cast<float>(CellCentre(cellY)));
  }
  if (hint.shown && !demo.running) hintView->RenderHintGhosts(hint, boardView->pieceImages);
  guiView->RenderGui(shown, wonTally);
  if (shown.flags.gamePaused == 1 && shown.flags.tutorialShowing == 0) settingsView->RenderPauseButton();
  if (!demo.running) boardView->moments->DrawOverGui(shown);
  const LevelRun& run = shown.run;
  if (demo.running) {
    hintView->RenderDemonstrationBanner();
  } else if (run.trainCrashed == 1) {
    hintView->RenderShowMeButton(run);
  } else if (run.trainArrived == 0 && shown.flags.gamePaused == 0) {
    // Not over the pause panel or a page, which step the board back.
    hintView->RenderHintButton();
    if (hint.shown) hintView->RenderHintLine(hint);
  }
  const ScreenFlags& flags = shown.flags;
  const bool page = flags.tutorialShowing == 1 && flags.tutorialPage >= 0 && flags.tutorialPage < kTutorialPageCount;
  if (page && MendedRules()) hintView->RenderTutorialSkip(flags.tutorialPage);
}
