#include "game/views/gui_view.h"

#include "game/screens/hit_box.h"
#include "game/rules/board.h"
#include "game/rules/state.h"
#include "game/rules/train.h"
#include "game/screens/gui.h"
#include "game/views/data_files.h"
#include "game/views/moment_view.h"

namespace {

struct Point {
  float x, y;
};

constexpr Point kPausePanelAt = {320, 159};
constexpr Point kPauseMusicMarkAt = {359, 431};
constexpr Point kPauseSoundMarkAt = {359, 483};
constexpr Point kLevelDoneAt = {320, 218};
constexpr Point kLevelFailAt = {320, 200};
// The won panel's three values, one under the other.
constexpr float kWonTextX = 485;
constexpr float kWonDepartY = 388;
constexpr float kWonGoldY = 417;
constexpr float kWonScoreY = 446;

constexpr Point kTimeLabelAt = {500, 4};
constexpr float kClockLeft = 590;  // the clock text follows the bar's end
constexpr float kClockTop = 4;
constexpr float kTimeBarTop = 10;
constexpr float kTimeBarHeight = 10;
constexpr Point kScoreAt = {31, 4};
constexpr Point kIronAt = {331, 4};
constexpr Point kWorkersAt = {662, 742};

String Num(int value) { return String::FromInt(value); }

constexpr float kDimAlpha = 0.5f;
// The failed panel's line under its title: covered with two bands of blank
// parchment from just below it, then written with the crash's cause.
constexpr float kCauseStripLeft = 24, kCauseStripTop = 64, kCauseStripWidth = 336, kCauseBandHeight = 14;
constexpr float kCauseBlankTop = 96;
constexpr float kCauseTextY = 66;
constexpr float kCauseTextScale = 0.62f;

// The board behind a panel steps back.
void DimBoard() {
  SetColor(0, 0, 0);
  SetAlpha(kDimAlpha);
  FillGameRect(0, 0, kScreenWidth, kScreenHeight);
  SetAlpha(1.0f);
  SetColor(255, 255, 255);
}

}  // namespace

void c_GuiView::LoadGuiImages() {
  font = LoadGameFont(String("time.txt"));
  selectionImage = LoadGameImage(String("game/guiSelection.png"));
  levelDoneImage = LoadGameImage(String("game/msgLevelDone.png"));
  levelFailImage = LoadGameImage(String("game/msgLevelFail.png"));
  Array<c_Image*> pages(kTutorialPageCount);
  for (int i = 0; i < kTutorialPageCount; ++i) {
    pages[i] = LoadGameImage(String("game/tutorial/") + Num(i + 1) + String(".png"));
  }
  tutorialImages = pages;
  pauseImage = LoadGameImage(String("game/msgPause.png"));
  musicMarkImage = LoadGameImage(String("game/pauseMusicOn.png"));
  soundMarkImage = LoadGameImage(String("game/pauseSoundOn.png"));
}

void c_GuiView::RenderGui() const {
  if (gameState.screen.gamePaused == 1 && gameState.screen.tutorialShowing != 1) {
    DimBoard();
    DrawImage(pauseImage, kPausePanelAt.x, kPausePanelAt.y);
    // The marks show the switches that are off.
    if (gameState.settings.musicOn == 0) DrawImage(musicMarkImage, kPauseMusicMarkAt.x, kPauseMusicMarkAt.y);
    if (gameState.settings.soundOn == 0) DrawImage(soundMarkImage, kPauseSoundMarkAt.x, kPauseSoundMarkAt.y);
  }
  const bool paused = gameState.screen.gamePaused == 1;
  if (gameState.run.trainArrived == 1) {
    if (!paused) DimBoard();
    RenderWonPanel();
    return;
  }
  if (gameState.run.trainCrashed == 1) {
    if (!paused) DimBoard();
    RenderFailedPanel();
    return;
  }
  RenderStatusLine();
  if (gameState.run.selectedPiece >= 0 && gameState.run.selectedPiece < kPaletteSlots) {
    DrawImage(selectionImage, static_cast<float>(kPaletteLeft + kPaletteSlotPitch * gameState.run.selectedPiece),
              static_cast<float>(kPaletteTop));
  }
  if (gameState.screen.tutorialShowing == 1 && gameState.screen.tutorialPage >= 0 && gameState.screen.tutorialPage < kTutorialPageCount) {
    const TutorialPagePlace& at = kTutorialPages[gameState.screen.tutorialPage];
    DrawImage(tutorialImages[gameState.screen.tutorialPage], at.x, at.y);
  }
}

void c_GuiView::RenderWonPanel() const {
  DrawImage(levelDoneImage, kLevelDoneAt.x, kLevelDoneAt.y);
  // -1: the train left on its own, with no time saved.
  const String saved =
      gameState.run.departSecondsLeft == -1 ? String("N/A") : Num(kDepartureSeconds - gameState.run.departSecondsLeft) + String(" sec");
  font->DrawText(saved, kWonTextX, kWonDepartY);
  font->DrawText(Num(gameState.run.levelGold), kWonTextX, kWonGoldY);
  font->DrawText(Num(gameState.run.levelScore), kWonTextX, kWonScoreY);
}

void c_GuiView::RenderFailedPanel() const {
  DrawImage(levelFailImage, kLevelFailAt.x, kLevelFailAt.y);
  if (!feedback || !feedback->CrashKnown()) return;
  for (int band = 0; band < 2; ++band) {
    DrawImageRegion(levelFailImage, kLevelFailAt.x + kCauseStripLeft,
                    kLevelFailAt.y + kCauseStripTop + kCauseBandHeight * static_cast<float>(band), kCauseStripLeft,
                    kCauseBlankTop, kCauseStripWidth, kCauseBandHeight);
  }
  DrawScaledText(font, String(CrashText(feedback->LastCrashCause())), kLevelFailAt.x + 192, kLevelFailAt.y + kCauseTextY,
                 kCauseTextScale);
}

void c_GuiView::RenderStatusLine() const {
  const DepartureClock& clock = gameState.run.departure;
  const int timeBarWidth = clock.timeBarWidth;
  font->DrawText(ClockText(clock.clockMinutes, clock.clockSeconds), kClockLeft + static_cast<float>(timeBarWidth),
                 kClockTop);
  font->DrawText(String("TIME:"), kTimeLabelAt.x, kTimeLabelAt.y);
  SetColor(0, 0, 255);
  FillGameRect(kClockLeft, kTimeBarTop, static_cast<float>(timeBarWidth), kTimeBarHeight);
  SetColor(255, 255, 255);
  font->DrawText(String("Score: ") + Num(ScoreToShow()), kScoreAt.x, kScoreAt.y);
  font->DrawText(String("Iron: ") + Num(gameState.run.iron), kIronAt.x, kIronAt.y);
  font->DrawText(Num(gameState.run.freeWorkers), kWorkersAt.x, kWorkersAt.y);
}

void c_GuiView::Mark() {
  font.Mark();
  selectionImage.Mark();
  levelDoneImage.Mark();
  levelFailImage.Mark();
  tutorialImages.Mark();
  pauseImage.Mark();
  musicMarkImage.Mark();
  soundMarkImage.Mark();
  feedback.Mark();
}
