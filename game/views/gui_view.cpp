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
void DimBoard(const LevelRun& run, bool spareTheCrash) {
  if (!spareTheCrash) {
    DimAllBut(kStripBottom, 0, kStripBottom, 0, kStripBottom);
    return;
  }
  const float left = std::max(0.0f, run.crashX - kCrashSpotHalf);
  const float right = std::min(kScreenWidth, run.crashX + kCrashSpotHalf);
  const float top = run.crashY - kCrashSpotHalf;
  const float bottom = std::min(kScreenHeight, run.crashY + kCrashSpotHalf);
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

void c_GuiView::RenderGui(const Match& match, const WonTally& tally) const {
  const bool paused = match.flags.gamePaused == 1;
  const bool crashed = match.run.trainCrashed == 1 && match.run.trainArrived == 0;
  if (paused && match.flags.tutorialShowing != 1) {
    DimBoard(match.run, false);
    DrawImage(pauseImage, kPausePanelAt.x, kPausePanelAt.y);
    // The marks show the switches that are off.
    if (gameState.settings.musicOn == 0) DrawImage(musicMarkImage, kPauseMusicMarkAt.x, kPauseMusicMarkAt.y);
    if (gameState.settings.soundOn == 0) DrawImage(soundMarkImage, kPauseSoundMarkAt.x, kPauseSoundMarkAt.y);
  }
  RenderStatusLine(match);
  if (match.run.trainArrived == 1) {
    if (!paused) DimBoard(match.run, false);
    RenderWonPanel(match, tally);
    return;
  }
  if (crashed) {
    if (!paused) DimBoard(match.run, MendedRules());
    RenderCrashFire(match);
    RenderFailedPanel(match);
    return;
  }
  if (match.run.selectedPiece >= 0 && match.run.selectedPiece < kPaletteSlots) {
    DrawImage(selectionImage, static_cast<float>(kPaletteLeft + kPaletteSlotPitch * match.run.selectedPiece),
              static_cast<float>(kPaletteTop));
  }
  if (match.flags.tutorialShowing == 1 && match.flags.tutorialPage >= 0 &&
      match.flags.tutorialPage < kTutorialPageCount) {
    const TutorialPagePlace& at = kTutorialPages[match.flags.tutorialPage];
    DimAllButSpotlight(kTutorialSpotlights[match.flags.tutorialPage]);
    DrawImage(tutorialImages[match.flags.tutorialPage], at.x, at.y);
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
