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
    selectedPiece = -1;
    musicOn = soundOn = 1;
    gui = new c_cGui();
    testGui = gui;
  }
  void TearDown() override { testGui = nullptr; }
  c_cGui* gui = nullptr;
};

TEST_F(GuiTest, PaletteSlotsIncludeTheirBoundsAndTheGapsSelectNothing) {
  gui->ClickGui(87, 706);
  EXPECT_EQ(selectedPiece, 0);
  gui->ClickGui(32, 761);
  EXPECT_EQ(selectedPiece, 0);
  selectedPiece = -1;
  for (float x : {31.0f, 90.0f, 97.0f}) gui->ClickGui(x, 730);
  gui->ClickGui(60, 705);
  gui->ClickGui(60, 762);
  EXPECT_EQ(selectedPiece, -1);
  gui->ClickGui(98, 730);
  EXPECT_EQ(selectedPiece, 1);
  gui->ClickGui(32 + 66 * 7 + 55, 761);
  EXPECT_EQ(selectedPiece, 7);
  gui->ClickGui(32 + 66 * 8, 730);  // no ninth slot
  EXPECT_EQ(selectedPiece, 7);
}

TEST_F(GuiTest, ThePauseButtonExcludesItsBounds) {
  for (auto p : {std::pair<float, float>{923, 740}, {998, 740}, {960, 703}}) {
    gui->ClickGui(p.first, p.second);
    EXPECT_EQ(gamePaused, 0) << p.first << "," << p.second;
  }
  gui->ClickGui(924, 704);
  EXPECT_EQ(gamePaused, 1);
}

TEST_F(GuiTest, TheSendOffBonusIsPaidOnceAndOnlyWhileTheTrainWaits) {
  gui->UpdateClock(55);  // 04:05 left
  gui->ClickGui(500, 13);  // the bound
  gui->ClickGui(540, 0);
  EXPECT_EQ(departNow, 0);
  gui->ClickGui(501, 25);
  EXPECT_EQ(levelScore, 500);
  EXPECT_EQ(departNow, 1);
  EXPECT_EQ(departSecondsLeft, 245);
  gui->ClickGui(540, 13);
  EXPECT_EQ(levelScore, 500);

  // The train already left: nothing.
  departNow = 0;
  trainRunning = 1;
  gui->ClickGui(540, 13);
  EXPECT_EQ(levelScore, 500);
  // A result panel shows: nothing either.
  trainRunning = 0;
  for (int* panel : {&trainArrived, &trainCrashed}) {
    *panel = 1;
    gui->ClickGui(540, 13);
    *panel = 0;
  }
  EXPECT_EQ(levelScore, 500);
  EXPECT_EQ(departNow, 0);
}

TEST_F(GuiTest, TheWonPanelsButtonsIncludeTheirBoundsAndContinueAddsTheLevelsTotals) {
  trainArrived = 1;
  levelScore = 1200;
  levelGold = 300;
  totalScore = 5;
  totalGold = 7;
  gui->ClickGui(573, 479);  // between retry and continue
  gui->ClickGui(600, 533);
  EXPECT_EQ(continueRequested + restartRequested + menuRequested, 0);
  gui->ClickGui(87, 706);  // the palette is not there
  EXPECT_EQ(selectedPiece, -1);
  gui->ClickGui(456, 532);
  EXPECT_EQ(restartRequested, 1);
  gui->ClickGui(453, 479);
  EXPECT_EQ(menuRequested, 1);
  gui->ClickGui(689, 532);
  EXPECT_EQ(continueRequested, 1);
  EXPECT_EQ(totalScore, 1205);
  EXPECT_EQ(totalGold, 307);
}

TEST_F(GuiTest, ThePauseButtonStillPausesOverTheWonPanelWithoutPressingItsButtons) {
  trainArrived = 1;
  gui->ClickGui(960, 740);
  EXPECT_EQ(gamePaused, 1);
  EXPECT_EQ(continueRequested + restartRequested + menuRequested, 0);
}

TEST_F(GuiTest, TheFailedPanelsRetryAndMenu) {
  trainCrashed = 1;
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
  gamePaused = 1;
  for (auto p : {std::pair<float, float>{358, 340}, {670, 340}, {500, 316}, {500, 366}, {500, 570}}) {
    gui->ClickPauseMenu(p.first, p.second);
    EXPECT_EQ(gamePaused, 1) << p.first << "," << p.second;
  }
  gui->ClickPauseMenu(500, 540);  // quit
  EXPECT_EQ(gui->quitRequested, 1);
  gui->ClickPauseMenu(200, 540);  // every click starts from no quit
  EXPECT_EQ(gui->quitRequested, 0);

  gui->ClickPauseMenu(500, 450);  // music
  EXPECT_EQ(musicOn, 0);
  gui->ClickPauseMenu(500, 450);
  EXPECT_EQ(musicOn, 1);
  gui->ClickPauseMenu(500, 500);  // sound
  EXPECT_EQ(soundOn, 0);
  EXPECT_EQ(gamePaused, 1);

  gui->ClickPauseMenu(500, 390);  // restart
  EXPECT_EQ(gamePaused, 0);
  EXPECT_EQ(restartRequested, 1);
  gamePaused = 1;
  gui->ClickPauseMenu(359, 317);  // resume
  EXPECT_EQ(gamePaused, 0);
}

TEST_F(GuiTest, TutorialPagesComeInRunsAndTheLastOfEachRunUnpauses) {
  auto readRun = [&](int first) {
    tutorialShowing = gamePaused = 1;
    tutorialPage = first;
    int clicks = 0;
    while (tutorialShowing == 1 && clicks < 20) {
      gui->AdvanceTutorial();
      ++clicks;
    }
    EXPECT_EQ(gamePaused, 0);
    return clicks;
  };
  EXPECT_EQ(readRun(0), 6);
  EXPECT_EQ(tutorialPage, 5);
  EXPECT_EQ(readRun(6), 3);
  for (int page : {9, 10, 11}) EXPECT_EQ(readRun(page), 1);
  tutorialShowing = gamePaused = 1;
  tutorialPage = 12;
  gui->AdvanceTutorial();
  EXPECT_EQ(tutorialShowing, 1);
  EXPECT_EQ(tutorialPage, 12);
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
  gamePaused = tutorialShowing = 1;
  gui->UpdateClock(120);
  EXPECT_EQ(gui->secondsLeft, 300);
  EXPECT_EQ(gui->timeBarWidth, 300);
}

}  // namespace
