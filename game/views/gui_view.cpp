#include "game/views/gui_view.h"

#include <algorithm>

#include "game/screens/hit_box.h"
#include "game/rules/board.h"
#include "game/rules/effects.h"
#include "game/rules/state.h"
#include "game/screens/gui.h"
#include "game/views/data_files.h"

namespace {

struct Point {
  float x, y;
};

constexpr Point kPausePanelAt = {320, 159};
constexpr Point kPauseMusicMarkAt = {359, 431};
constexpr Point kPauseSoundMarkAt = {359, 483};


constexpr float kDimAlpha = 0.5f;
// The status strip stays lit over a panel: the dimming starts under it.
constexpr float kStripBottom = 30;
// The patch left lit around a crash, so the player sees what happened there.
constexpr float kCrashSpotHalf = 75;

void DimRect(float left, float top, float right, float bottom) {
  if (right > left && bottom > top) FillGameRect(left, top, right - left, bottom - top);
}

// Dims the screen from `screenTop` down, all but the box from (left, top) to
// (right, bottom).
void DimAllBut(float screenTop, float left, float top, float right, float bottom) {
  SetColor(0, 0, 0);
  SetAlpha(kDimAlpha);
  top = std::max(screenTop, top);
  DimRect(0, screenTop, kScreenWidth, top);
  DimRect(0, bottom, kScreenWidth, kScreenHeight);
  DimRect(0, top, left, bottom);
  DimRect(right, top, kScreenWidth, bottom);
  SetAlpha(1.0f);
  SetColor(255, 255, 255);
}

// The board behind a panel steps back, all but the status strip and, after a
// crash under the mended rules, the patch around it.
void DimBoard(bool spareTheCrash) {
  if (!spareTheCrash) {
    DimAllBut(kStripBottom, 0, kStripBottom, 0, kStripBottom);
    return;
  }
  const float left = std::max(0.0f, gameState.run.crashX - kCrashSpotHalf);
  const float right = std::min(kScreenWidth, gameState.run.crashX + kCrashSpotHalf);
  const float top = gameState.run.crashY - kCrashSpotHalf;
  const float bottom = std::min(kScreenHeight, gameState.run.crashY + kCrashSpotHalf);
  DimAllBut(kStripBottom, left, top, right, bottom);
}

// Behind a tutorial page the whole screen steps back but what the page
// speaks of.
void DimAllButSpotlight(const ScreenRect& spot) {
  DimAllBut(0, spot.x, spot.y, spot.x + spot.width, spot.y + spot.height);
}

}  // namespace

void c_GuiView::LoadGuiImages() {
  font = LoadGameFont(String("time.txt"));
  inkFont = LoadGameFont(String("time.txt"));
  inkFont->drawBorder = false;
  inkFont->drawShadow = false;
  selectionImage = LoadGameImage(String("game/guiSelection.png"));
  levelDoneImage = LoadGameImage(String("game/msgLevelDone.png"));
  levelFailImage = LoadGameImage(String("game/msgLevelFail.png"));
  Array<c_Image*> pages(kTutorialPageCount);
  for (int i = 0; i < kTutorialPageCount; ++i) {
    pages[i] = LoadGameImage(String("game/tutorial/") + String::FromInt(i + 1) + String(".png"));
  }
  tutorialImages = pages;
  pauseImage = LoadGameImage(String("game/msgPause.png"));
  musicMarkImage = LoadGameImage(String("game/pauseMusicOn.png"));
  soundMarkImage = LoadGameImage(String("game/pauseSoundOn.png"));
  starImage = LoadGameImage(String("game/star.png"), 1, ImageCentreHandle);
  explosionImage =
      LoadGameImage(String("game/explosion.png"), kCellSize, kCellSize, kExplosionFrameCount, ImageCentreHandle);
}

void c_GuiView::RenderGui(const WonTally& tally) const {
  const bool paused = gameState.screen.gamePaused == 1;
  const bool crashed = gameState.run.trainCrashed == 1 && gameState.run.trainArrived == 0;
  if (paused && gameState.screen.tutorialShowing != 1) {
    DimBoard(false);
    DrawImage(pauseImage, kPausePanelAt.x, kPausePanelAt.y);
    // The marks show the switches that are off.
    if (gameState.settings.musicOn == 0) DrawImage(musicMarkImage, kPauseMusicMarkAt.x, kPauseMusicMarkAt.y);
    if (gameState.settings.soundOn == 0) DrawImage(soundMarkImage, kPauseSoundMarkAt.x, kPauseSoundMarkAt.y);
  }
  RenderStatusLine();
  if (gameState.run.trainArrived == 1) {
    if (!paused) DimBoard(false);
    RenderWonPanel(tally);
    return;
  }
  if (crashed) {
    if (!paused) DimBoard(MendedRules());
    RenderCrashFire();
    RenderFailedPanel();
    return;
  }
  if (gameState.run.selectedPiece >= 0 && gameState.run.selectedPiece < kPaletteSlots) {
    DrawImage(selectionImage, static_cast<float>(kPaletteLeft + kPaletteSlotPitch * gameState.run.selectedPiece),
              static_cast<float>(kPaletteTop));
  }
  if (gameState.screen.tutorialShowing == 1 && gameState.screen.tutorialPage >= 0 &&
      gameState.screen.tutorialPage < kTutorialPageCount) {
    const TutorialPagePlace& at = kTutorialPages[gameState.screen.tutorialPage];
    DimAllButSpotlight(kTutorialSpotlights[gameState.screen.tutorialPage]);
    DrawImage(tutorialImages[gameState.screen.tutorialPage], at.x, at.y);
  }
}

void c_GuiView::Mark() {
  font.Mark();
  inkFont.Mark();
  selectionImage.Mark();
  levelDoneImage.Mark();
  levelFailImage.Mark();
  tutorialImages.Mark();
  pauseImage.Mark();
  musicMarkImage.Mark();
  soundMarkImage.Mark();
  starImage.Mark();
  explosionImage.Mark();
  feedback.Mark();
}
