#include "game/screens/gui.h"

#include "game/rules/board.h"
#include "game/rules/state.h"
#include "game/session/switches.h"
#include "game/rules/train.h"

void c_cGui::Mark() {
  font.Mark();
  selectionImage.Mark();
  levelDoneImage.Mark();
  levelFailImage.Mark();
  tutorialImages.Mark();
  pauseImage.Mark();
  musicMarkImage.Mark();
  soundMarkImage.Mark();
}

// ---- Clicks --------------------------------------------------------------------

void c_cGui::ClickGui(float x, float y) {
  if (kPauseButton.Contains(x, y)) gameState.screen.gamePaused = 1;  // and the click goes on
  // The bonus is paid once: the train is then sent off.
  const bool statusLineShows = gameState.run.trainArrived != 1 && gameState.run.trainCrashed != 1;
  if (kDepartButton.Contains(x, y) && gameState.run.departNow == 0 && gameState.run.trainRunning == 0 && statusLineShows) {
    gameState.run.levelScore += kDepartBonus;
    gameState.run.departNow = 1;
    gameState.run.departSecondsLeft = clockMinutes * 60 + clockSeconds;
  }
  if (gameState.run.trainArrived == 1) {
    ClickWonPanel(x, y);
    return;
  }
  if (gameState.run.trainCrashed == 1) {
    ClickFailedPanel(x, y);
    return;
  }
  for (int slot = 0; slot < kPaletteSlots; ++slot) {
    if (PaletteSlot(slot).Contains(x, y)) gameState.run.selectedPiece = slot;
  }
}

void c_cGui::ClickWonPanel(float x, float y) {
  if (kWonContinue.Contains(x, y)) {
    continueRequested = 1;
    gameState.progress.totalScore += gameState.run.levelScore;
    gameState.progress.totalGold += gameState.run.levelGold;
  } else if (kWonRetry.Contains(x, y)) {
    restartRequested = 1;
  } else if (kWonMenu.Contains(x, y)) {
    menuRequested = 1;
  }
}

void c_cGui::ClickFailedPanel(float x, float y) {
  if (kFailedRetry.Contains(x, y)) {
    restartRequested = 1;
  } else if (kFailedMenu.Contains(x, y)) {
    menuRequested = 1;
  }
}

void c_cGui::ClickPauseMenu(float x, float y) {
  quitRequested = 0;
  for (int button = 0; button < kPauseButtonCount; ++button) {
    if (kPauseButtons[button].Contains(x, y)) PressPauseButton(button);
  }
}

void c_cGui::PressPauseButton(int button) {
  switch (button) {
    case PauseResume:
      gameState.screen.gamePaused = 0;
      break;
    case PauseRestart:
      gameState.screen.gamePaused = 0;
      restartRequested = 1;
      break;
    case PauseMusic:
      ToggleMusic();
      break;
    case PauseSound:
      ToggleSound();
      break;
    case PauseQuit:
      quitRequested = 1;
      break;
    default:
      return;
  }
  PlayGameSound(SoundClick);
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
    gameState.screen.tutorialShowing = 0;
    gameState.screen.gamePaused = 0;
  } else {
    gameState.screen.tutorialPage = page + 1;
  }
}

// ---- Clock ---------------------------------------------------------------------

void c_cGui::SetSecondsLeft(int seconds) {
  secondsLeft = seconds;
  // Integer steps, as the bar has always moved: 3 pixels at a time.
  timePercent = secondsLeft * 100 / kDepartureSeconds;
  timeBarWidth = timePercent * kTimeBarFullWidth / 100;
}

void c_cGui::UpdateClock(int countdown) {
  if (gameState.screen.gamePaused == 1 && gameState.screen.tutorialShowing == 1) {
    // The clock shows the full time while a tutorial page is up.
    SetSecondsLeft(kDepartureSeconds);
  } else if (countdown <= kDepartureSeconds) {
    SetSecondsLeft(kDepartureSeconds - countdown);
  }
  clockMinutes = secondsLeft / 60;
  clockSeconds = secondsLeft % 60;
}

String ClockText(int minutes, int seconds) {
  auto twoDigits = [](int v) { return (v < 10 ? String("0") : String()) + String::FromInt(v); };
  return twoDigits(minutes) + String(":") + twoDigits(seconds);
}
