// The in-level interface's clicks and clock, at and just beyond the bounds of
// each region.
#include <gtest/gtest.h>

#include "game/rules/board.h"
#include "game/screens/gui.h"
#include "game/rules/state.h"

namespace {

gc_global<c_cGui*> testGui;

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    gameState.run.selectedPiece = -1;
    gameState.settings.musicOn = gameState.settings.soundOn = 1;
    gui = new c_cGui();
    testGui = gui;
  }
  void TearDown() override { testGui = nullptr; }
  c_cGui* gui = nullptr;
};

TEST_F(GuiTest, PaletteSlotsIncludeTheirBoundsAndTheGapsSelectNothing) {
  gui->ClickGui(87, 706);
  EXPECT_EQ(gameState.run.selectedPiece, 0);
  gui->ClickGui(32, 761);
  EXPECT_EQ(gameState.run.selectedPiece, 0);
  gameState.run.selectedPiece = -1;
  for (float x : {31.0f, 90.0f, 97.0f}) gui->ClickGui(x, 730);
  gui->ClickGui(60, 705);
  gui->ClickGui(60, 762);
  EXPECT_EQ(gameState.run.selectedPiece, -1);
  gui->ClickGui(98, 730);
  EXPECT_EQ(gameState.run.selectedPiece, 1);
  gui->ClickGui(32 + 66 * 7 + 55, 761);
  EXPECT_EQ(gameState.run.selectedPiece, 7);
  gui->ClickGui(32 + 66 * 8, 730);  // no ninth slot
  EXPECT_EQ(gameState.run.selectedPiece, 7);
}

TEST_F(GuiTest, ThePauseButtonExcludesItsBounds) {
  for (auto p : {std::pair<float, float>{923, 740}, {998, 740}, {960, 703}}) {
    gui->ClickGui(p.first, p.second);
    EXPECT_EQ(gameState.screen.gamePaused, 0) << p.first << "," << p.second;
  }
  gui->ClickGui(924, 704);
  EXPECT_EQ(gameState.screen.gamePaused, 1);
}

TEST_F(GuiTest, TheSendOffBonusIsPaidOnceAndOnlyWhileTheTrainWaits) {
  gui->UpdateClock(55);  // 04:05 left
  gui->ClickGui(500, 13);  // the bound
  gui->ClickGui(540, 0);
  EXPECT_EQ(gameState.run.departNow, 0);
  gui->ClickGui(501, 25);
  EXPECT_EQ(gameState.run.levelScore, 500);
  EXPECT_EQ(gameState.run.departNow, 1);
  EXPECT_EQ(gameState.run.departSecondsLeft, 245);
  gui->ClickGui(540, 13);
  EXPECT_EQ(gameState.run.levelScore, 500);

  // The train already left: nothing.
  gameState.run.departNow = 0;
  gameState.run.trainRunning = 1;
  gui->ClickGui(540, 13);
  EXPECT_EQ(gameState.run.levelScore, 500);
  // A result panel shows: nothing either.
  gameState.run.trainRunning = 0;
  for (int* panel : {&gameState.run.trainArrived, &gameState.run.trainCrashed}) {
    *panel = 1;
    gui->ClickGui(540, 13);
    *panel = 0;
  }
  EXPECT_EQ(gameState.run.levelScore, 500);
  EXPECT_EQ(gameState.run.departNow, 0);
}

TEST_F(GuiTest, TheWonPanelsButtonsIncludeTheirBoundsAndContinueAddsTheLevelsTotals) {
  gameState.run.trainArrived = 1;
  gameState.run.levelScore = 1200;
  gameState.run.levelGold = 300;
  gameState.progress.totalScore = 5;
  gameState.progress.totalGold = 7;
  gui->ClickGui(573, 479);  // between retry and continue
  gui->ClickGui(600, 533);
  EXPECT_EQ(continueRequested + restartRequested + menuRequested, 0);
  gui->ClickGui(87, 706);  // the palette is not there
  EXPECT_EQ(gameState.run.selectedPiece, -1);
  gui->ClickGui(456, 532);
  EXPECT_EQ(restartRequested, 1);
  gui->ClickGui(453, 479);
  EXPECT_EQ(menuRequested, 1);
  gui->ClickGui(689, 532);
  EXPECT_EQ(continueRequested, 1);
  EXPECT_EQ(gameState.progress.totalScore, 1205);
  EXPECT_EQ(gameState.progress.totalGold, 307);
}

TEST_F(GuiTest, ThePauseButtonStillPausesOverTheWonPanelWithoutPressingItsButtons) {
  gameState.run.trainArrived = 1;
  gui->ClickGui(960, 740);
  EXPECT_EQ(gameState.screen.gamePaused, 1);
  EXPECT_EQ(continueRequested + restartRequested + menuRequested, 0);
}

TEST_F(GuiTest, TheFailedPanelsRetryAndMenu) {
  gameState.run.trainCrashed = 1;
  gui->ClickGui(549, 420);
  gui->ClickGui(484, 420);
  gui->ClickGui(600, 459);
  EXPECT_EQ(restartRequested + menuRequested, 0);
  gui->ClickGui(678, 395);
  EXPECT_EQ(restartRequested, 1);
  gui->ClickGui(344, 458);
  EXPECT_EQ(menuRequested, 1);
}

TEST_F(GuiTest, ThePausePanelsBandsExcludeTheirBounds) {
  gameState.screen.gamePaused = 1;
  for (auto p : {std::pair<float, float>{358, 340}, {670, 340}, {500, 316}, {500, 366}, {500, 570}}) {
    gui->ClickPauseMenu(p.first, p.second);
    EXPECT_EQ(gameState.screen.gamePaused, 1) << p.first << "," << p.second;
  }
  gui->ClickPauseMenu(500, 540);  // quit
  EXPECT_EQ(gui->quitRequested, 1);
  gui->ClickPauseMenu(200, 540);  // every click starts from no quit
  EXPECT_EQ(gui->quitRequested, 0);

  gui->ClickPauseMenu(500, 450);  // music
  EXPECT_EQ(gameState.settings.musicOn, 0);
  gui->ClickPauseMenu(500, 450);
  EXPECT_EQ(gameState.settings.musicOn, 1);
  gui->ClickPauseMenu(500, 500);  // sound
  EXPECT_EQ(gameState.settings.soundOn, 0);
  EXPECT_EQ(gameState.screen.gamePaused, 1);

  gui->ClickPauseMenu(500, 390);  // restart
  EXPECT_EQ(gameState.screen.gamePaused, 0);
  EXPECT_EQ(restartRequested, 1);
  gameState.screen.gamePaused = 1;
  gui->ClickPauseMenu(359, 317);  // resume
  EXPECT_EQ(gameState.screen.gamePaused, 0);
}

TEST_F(GuiTest, TutorialPagesComeInRunsAndTheLastOfEachRunUnpauses) {
  auto readRun = [&](int first) {
    gameState.screen.tutorialShowing = gameState.screen.gamePaused = 1;
    gameState.screen.tutorialPage = first;
    int clicks = 0;
    while (gameState.screen.tutorialShowing == 1 && clicks < 20) {
      gui->AdvanceTutorial();
      ++clicks;
    }
    EXPECT_EQ(gameState.screen.gamePaused, 0);
    return clicks;
  };
  EXPECT_EQ(readRun(0), 6);
  EXPECT_EQ(gameState.screen.tutorialPage, 5);
  EXPECT_EQ(readRun(6), 3);
  for (int page : {9, 10, 11}) EXPECT_EQ(readRun(page), 1);
  gameState.screen.tutorialShowing = gameState.screen.gamePaused = 1;
  gameState.screen.tutorialPage = 12;
  gui->AdvanceTutorial();
  EXPECT_EQ(gameState.screen.tutorialShowing, 1);
  EXPECT_EQ(gameState.screen.tutorialPage, 12);
}

TEST_F(GuiTest, TheClockCountsDownInWholeSecondsAndItsBarInStepsOfThree) {
  gui->UpdateClock(0);
  EXPECT_EQ(ClockText(gui->clockMinutes, gui->clockSeconds), String("05:00"));
  EXPECT_EQ(gui->timeBarWidth, 300);
  gui->UpdateClock(1);
  EXPECT_EQ(gui->timeBarWidth, 297);
  gui->UpdateClock(55);
  EXPECT_EQ(ClockText(gui->clockMinutes, gui->clockSeconds), String("04:05"));
  gui->UpdateClock(299);
  EXPECT_EQ(ClockText(gui->clockMinutes, gui->clockSeconds), String("00:01"));
  EXPECT_EQ(gui->timeBarWidth, 0);
  gui->UpdateClock(301);  // after the departure the display stays
  EXPECT_EQ(gui->secondsLeft, 1);
  gui->UpdateClock(300);
  EXPECT_EQ(ClockText(gui->clockMinutes, gui->clockSeconds), String("00:00"));
  // A tutorial page shows the full time.
  gameState.screen.gamePaused = gameState.screen.tutorialShowing = 1;
  gui->UpdateClock(120);
  EXPECT_EQ(gui->secondsLeft, 300);
  EXPECT_EQ(gui->timeBarWidth, 300);
}

}  // namespace
