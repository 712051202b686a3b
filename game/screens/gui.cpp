#include "game/screens/gui.h"

#include "game/rules/board.h"
#include "game/rules/state.h"
#include "game/rules/departure.h"

// ---- Clicks --------------------------------------------------------------------

namespace {

ScreenRequest ClickWonPanel(float x, float y) {
  if (kWonContinue.Contains(x, y)) return ScreenRequest::NextLevel;
  if (kWonRetry.Contains(x, y)) return ScreenRequest::RestartLevel;
  if (kWonMenu.Contains(x, y)) return ScreenRequest::LeaveLevel;
  return ScreenRequest::None;
}

ScreenRequest ClickFailedPanel(float x, float y) {
  if (kFailedRetry.Contains(x, y)) return ScreenRequest::RestartLevel;
  if (kFailedMenu.Contains(x, y)) return ScreenRequest::LeaveLevel;
  if (kShowMeButton.Contains(x, y)) return ScreenRequest::ShowMe;
  return ScreenRequest::None;
}

}  // namespace

ScreenRequest c_cGui::ClickGui(float x, float y) {
  if (kPauseButton.Contains(x, y)) gameState.screen.gamePaused = 1;  // and the click goes on
  if (kDepartButton.Contains(x, y)) SendTrainOff();
  if (gameState.run.trainArrived == 1) return ClickWonPanel(x, y);
  if (gameState.run.trainCrashed == 1) return ClickFailedPanel(x, y);
  for (int slot = 0; slot < kPaletteSlots; ++slot) {
    if (PaletteSlot(slot).Contains(x, y)) gameState.run.selectedPiece = slot;
  }
  return kHintButton.Contains(x, y) ? ScreenRequest::ShowHint : ScreenRequest::None;
}

ScreenRequest c_cGui::ClickPauseMenu(float x, float y) {
  for (int button = 0; button < kPauseButtonCount; ++button) {
    if (kPauseButtons[button].Contains(x, y)) return PressPauseButton(button);
  }
  return ScreenRequest::None;
}

ScreenRequest c_cGui::PressPauseButton(int button) {
  ScreenRequest request = ScreenRequest::None;
  switch (button) {
    case PauseResume:
      gameState.screen.gamePaused = 0;
      break;
    case PauseRestart:
      gameState.screen.gamePaused = 0;
      request = ScreenRequest::RestartLevel;
      break;
    case PauseMusic:
      request = ScreenRequest::ToggleMusic;
      break;
    case PauseSound:
      ToggleSound();
      break;
    case PauseQuit:
      request = ScreenRequest::QuitLevel;
      break;
    default:
      return request;
  }
  PlayGameSound(SoundClick);
  return request;
}

// ---- Tutorial ------------------------------------------------------------------

namespace {

// The last page of each run of pages: 0..5, 6..8, then 9, 10 and 11 alone.
bool IsLastPageOfRun(int page) { return page == 5 || page == 8 || page == 9 || page == 10 || page == 11; }

}  // namespace

void c_cGui::AdvanceTutorial() {
  const int page = gameState.screen.tutorialPage;
  if (page < 0 || page >= kTutorialPageCount) return;
  if (IsLastPageOfRun(page)) {
    SkipTutorial();
  } else {
    gameState.screen.tutorialPage = page + 1;
  }
}

void c_cGui::SkipTutorial() {
  gameState.screen.tutorialShowing = 0;
  gameState.screen.gamePaused = 0;
}

void c_cGui::ClickTutorial(float x, float y) {
  const int page = gameState.screen.tutorialPage;
  const bool onSkip = page >= 0 && page < kTutorialPageCount && TutorialSkipBox(page).Contains(x, y);
  if (onSkip && MendedRules()) {
    SkipTutorial();
  } else {
    AdvanceTutorial();
  }
}

std::vector<HitBox> c_cGui::Buttons() const {
  const ScreenFlags& flags = gameState.screen;
  const LevelRun& run = gameState.run;
  if (flags.gamePaused == 1) {
    if (flags.tutorialShowing == 1) {
      if (flags.tutorialPage < 0 || flags.tutorialPage >= kTutorialPageCount) return {};
      return {TutorialSkipBox(flags.tutorialPage)};
    }
    return std::vector<HitBox>(std::begin(kPauseButtons), std::end(kPauseButtons));
  }
  if (run.trainArrived == 1) return {kWonMenu, kWonRetry, kWonContinue, kPauseButton};
  if (run.trainCrashed == 1) return {kFailedMenu, kFailedRetry, kShowMeButton, kPauseButton};
  std::vector<HitBox> boxes;
  for (int slot = 0; slot < kPaletteSlots; ++slot) boxes.push_back(PaletteSlot(slot));
  if (run.trainRunning == 0 && run.departNow == 0) boxes.push_back(kDepartButton);
  boxes.push_back(kHintButton);
  boxes.push_back(kPauseButton);
  return boxes;
}

FocusList c_cGui::PanelFocus() const {
  const ScreenFlags& flags = gameState.screen;
  const LevelRun& run = gameState.run;
  if (flags.tutorialShowing == 1) return {};
  if (flags.gamePaused == 1) return {std::vector<HitBox>(std::begin(kPauseButtons), std::end(kPauseButtons)), PauseResume};
  if (run.trainArrived == 1) return {{kWonMenu, kWonRetry, kWonContinue}, 2};
  if (run.trainCrashed == 1) return {{kFailedMenu, kFailedRetry}, 1};
  return {};
}
