// The in-level interface's clicks and clock, at and just beyond the bounds of
// each region.
#include <gtest/gtest.h>

#include "game/rules/board.h"
#include "game/rules/departure.h"
#include "game/screens/gui.h"
#include "game/rules/match.h"
#include "tests/game/rules_version_scope.h"

namespace {

gc_global<c_cGui*> testGui;

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    gameState.settings.musicOn = gameState.settings.soundOn = 1;
    gui = new c_cGui();
    testGui = gui;
    match = new Match();
    gui->match = match;
    match->run.selectedPiece = -1;
  }
  void TearDown() override { testGui = nullptr; }
  // The departure clock as the train's countdown (whole seconds gone) sets it.
  void UpdateDepartureClock(int countdown) {
    match->train->countdown = countdown;
    ::UpdateDepartureClock(*match);
  }
  c_cGui* gui = nullptr;
  Match* match = nullptr;
};

TEST_F(GuiTest, PaletteSlotsIncludeTheirBoundsAndTheGapsSelectNothing) {
  gui->ClickGui(87, 706);
  EXPECT_EQ(match->run.selectedPiece, 0);
  gui->ClickGui(32, 761);
  EXPECT_EQ(match->run.selectedPiece, 0);
  match->run.selectedPiece = -1;
  for (float x : {31.0f, 90.0f, 97.0f}) gui->ClickGui(x, 730);
  gui->ClickGui(60, 705);
  gui->ClickGui(60, 762);
  EXPECT_EQ(match->run.selectedPiece, -1);
  gui->ClickGui(98, 730);
  EXPECT_EQ(match->run.selectedPiece, 1);
  gui->ClickGui(32 + 66 * 7 + 55, 761);
  EXPECT_EQ(match->run.selectedPiece, 7);
  gui->ClickGui(32 + 66 * 8, 730);  // no ninth slot
  EXPECT_EQ(match->run.selectedPiece, 7);
}

TEST_F(GuiTest, ThePauseButtonExcludesItsBounds) {
  for (auto p : {std::pair<float, float>{923, 740}, {998, 740}, {960, 703}}) {
    gui->ClickGui(p.first, p.second);
    EXPECT_EQ(match->flags.gamePaused, 0) << p.first << "," << p.second;
  }
  gui->ClickGui(924, 704);
  EXPECT_EQ(match->flags.gamePaused, 1);
}

TEST_F(GuiTest, TheSendOffBonusIsPaidOnceAndOnlyWhileTheTrainWaits) {
  UpdateDepartureClock(55);  // 04:05 left
  gui->ClickGui(500, 13);  // the bound
  gui->ClickGui(540, 0);
  EXPECT_EQ(match->run.departNow, 0);
  gui->ClickGui(501, 25);
  EXPECT_EQ(match->run.levelScore, 500);
  EXPECT_EQ(match->run.departNow, 1);
  EXPECT_EQ(match->run.departSecondsLeft, 245);
  gui->ClickGui(540, 13);
  EXPECT_EQ(match->run.levelScore, 500);

  // The train already left: nothing.
  match->run.departNow = 0;
  match->run.trainRunning = 1;
  gui->ClickGui(540, 13);
  EXPECT_EQ(match->run.levelScore, 500);
  // A result panel shows: nothing either.
  match->run.trainRunning = 0;
  for (int* panel : {&match->run.trainArrived, &match->run.trainCrashed}) {
    *panel = 1;
    gui->ClickGui(540, 13);
    *panel = 0;
  }
  EXPECT_EQ(match->run.levelScore, 500);
  EXPECT_EQ(match->run.departNow, 0);
}

TEST_F(GuiTest, TheWonPanelsButtonsIncludeTheirBoundsAndAskForTheLevelsNextStep) {
  match->run.trainArrived = 1;
  EXPECT_EQ(gui->ClickGui(573, 479), ScreenRequest::None);  // between retry and continue
  EXPECT_EQ(gui->ClickGui(600, 533), ScreenRequest::None);
  EXPECT_EQ(gui->ClickGui(87, 706), ScreenRequest::None);  // the palette is not there
  EXPECT_EQ(match->run.selectedPiece, -1);
  EXPECT_EQ(gui->ClickGui(456, 532), ScreenRequest::RestartLevel);
  EXPECT_EQ(gui->ClickGui(453, 479), ScreenRequest::LeaveLevel);
  EXPECT_EQ(gui->ClickGui(689, 532), ScreenRequest::NextLevel);
}

TEST_F(GuiTest, ThePauseButtonStillPausesOverTheWonPanelWithoutPressingItsButtons) {
  match->run.trainArrived = 1;
  EXPECT_EQ(gui->ClickGui(960, 740), ScreenRequest::None);
  EXPECT_EQ(match->flags.gamePaused, 1);
}

TEST_F(GuiTest, TheFailedPanelsRetryAndMenu) {
  match->run.trainCrashed = 1;
  for (auto p : {std::pair<float, float>{549, 420}, {484, 420}, {600, 459}}) {
    EXPECT_EQ(gui->ClickGui(p.first, p.second), ScreenRequest::None) << p.first << "," << p.second;
  }
  EXPECT_EQ(gui->ClickGui(678, 395), ScreenRequest::RestartLevel);
  EXPECT_EQ(gui->ClickGui(344, 458), ScreenRequest::LeaveLevel);
}

TEST_F(GuiTest, ThePausePanelsBandsExcludeTheirBounds) {
  match->flags.gamePaused = 1;
  for (auto p : {std::pair<float, float>{358, 340}, {670, 340}, {500, 316}, {500, 366}, {500, 570}}) {
    gui->ClickPauseMenu(p.first, p.second);
    EXPECT_EQ(match->flags.gamePaused, 1) << p.first << "," << p.second;
  }
  EXPECT_EQ(gui->ClickPauseMenu(500, 540), ScreenRequest::QuitLevel);
  EXPECT_EQ(gui->ClickPauseMenu(200, 540), ScreenRequest::None);
  EXPECT_EQ(gui->ClickPauseMenu(500, 450), ScreenRequest::ToggleMusic);
  EXPECT_EQ(gui->ClickPauseMenu(500, 500), ScreenRequest::None);  // sound
  EXPECT_EQ(gameState.settings.soundOn, 0);
  EXPECT_EQ(match->flags.gamePaused, 1);

  EXPECT_EQ(gui->ClickPauseMenu(500, 390), ScreenRequest::RestartLevel);
  EXPECT_EQ(match->flags.gamePaused, 0);
  match->flags.gamePaused = 1;
  gui->ClickPauseMenu(359, 317);  // resume
  EXPECT_EQ(match->flags.gamePaused, 0);
}

TEST_F(GuiTest, TutorialPagesComeInRunsAndTheLastOfEachRunUnpauses) {
  auto readRun = [&](int first) {
    match->flags.tutorialShowing = match->flags.gamePaused = 1;
    match->flags.tutorialPage = first;
    int clicks = 0;
    while (match->flags.tutorialShowing == 1 && clicks < 20) {
      gui->AdvanceTutorial();
      ++clicks;
    }
    EXPECT_EQ(match->flags.gamePaused, 0);
    return clicks;
  };
  EXPECT_EQ(readRun(0), 6);
  EXPECT_EQ(match->flags.tutorialPage, 5);
  EXPECT_EQ(readRun(6), 3);
  for (int page : {9, 10, 11}) EXPECT_EQ(readRun(page), 1);
  match->flags.tutorialShowing = match->flags.gamePaused = 1;
  match->flags.tutorialPage = 12;
  gui->AdvanceTutorial();
  EXPECT_EQ(match->flags.tutorialShowing, 1);
  EXPECT_EQ(match->flags.tutorialPage, 12);
}

TEST_F(GuiTest, TheClockCountsDownInWholeSecondsAndItsBarInStepsOfThree) {
  const DepartureClock& clock = match->run.departure;
  auto shown = [&] { return ClockText(clock.clockMinutes, clock.clockSeconds); };
  UpdateDepartureClock(0);
  EXPECT_EQ(shown(), String("05:00"));
  EXPECT_EQ(clock.timeBarWidth, 300);
  UpdateDepartureClock(1);
  EXPECT_EQ(clock.timeBarWidth, 297);
  UpdateDepartureClock(55);
  EXPECT_EQ(shown(), String("04:05"));
  UpdateDepartureClock(299);
  EXPECT_EQ(shown(), String("00:01"));
  EXPECT_EQ(clock.timeBarWidth, 0);
  UpdateDepartureClock(301);  // after the departure the display stays
  EXPECT_EQ(clock.secondsLeft, 1);
  UpdateDepartureClock(300);
  EXPECT_EQ(shown(), String("00:00"));
}

TEST_F(GuiTest, APageStopsTheClockWhereItStoodUnderTheMendedRulesAndFillsItUnderTheFirst) {
  struct Case {
    int rules;
    int secondsLeft;
    int barWidth;
    const char* text;
  };
  const DepartureClock& clock = match->run.departure;
  for (const Case& c : {Case{1, 300, 300, "05:00"}, Case{2, 194, 192, "03:14"}}) {
    SCOPED_TRACE(c.rules);
    RulesVersionScope rules(c.rules);
    match->flags.gamePaused = match->flags.tutorialShowing = 0;
    UpdateDepartureClock(106);
    // An enemy's introduction page comes up: the countdown stands still.
    match->flags.gamePaused = match->flags.tutorialShowing = 1;
    UpdateDepartureClock(106);
    EXPECT_EQ(clock.secondsLeft, c.secondsLeft);
    EXPECT_EQ(clock.timeBarWidth, c.barWidth);
    EXPECT_EQ(ClockText(clock.clockMinutes, clock.clockSeconds), String(c.text));
  }
}

TEST_F(GuiTest, TheClockCountsAsDepartedFromTheSendOffOn) {
  struct Case {
    const char* name;
    int departNow, running, arrived, crashed;
    bool departed;
  };
  const Case cases[] = {
      {"waiting", 0, 0, 0, 0, false},  {"sent off", 1, 0, 0, 0, true}, {"running", 0, 1, 0, 0, true},
      {"arrived", 0, 0, 1, 0, true},   {"crashed", 0, 0, 0, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LevelRun& run = match->run;
    run.departNow = c.departNow;
    run.trainRunning = c.running;
    run.trainArrived = c.arrived;
    run.trainCrashed = c.crashed;
    EXPECT_EQ(TrainHasDeparted(match->run), c.departed);
    // The bonus only while the train waits.
    const int score = run.levelScore;
    SendTrainOff(match->run);
    EXPECT_EQ(run.levelScore - score, c.departed ? 0 : kDepartBonus);
  }
}

// The failed panel's rectangle grown by the clearance on every side.
bool PanelClearOf(const PanelOrigin& at, float x, float y) {
  return x < at.x - kCrashClearance || x > at.x + kFailedPanelWidth + kCrashClearance ||
         y < at.y - kCrashClearance || y > at.y + kFailedPanelHeight + kCrashClearance;
}

TEST_F(GuiTest, TheFailedPanelStandsClearOfTheCrashUnderTheMendedRules) {
  struct Case {
    const char* name;
    float x, y;
    bool middle;  // the panel keeps its first place
  };
  const Case cases[] = {
      {"by START on the left", 68, 364, true}, {"in the middle", 512, 345, false},
      {"left of the middle", 300, 300, false}, {"right of the middle", 760, 420, false},
      {"high in the middle", 512, 200, false}, {"low in the middle", 512, 640, true},
      {"top right corner", 960, 60, true},
  };
  RulesVersionScope rules(2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    match->run.trainCrashed = 1;
    match->run.crashX = c.x;
    match->run.crashY = c.y;
    const PanelOrigin at = FailedPanelAt(match->run);
    EXPECT_TRUE(PanelClearOf(at, c.x, c.y)) << at.x << "," << at.y;
    EXPECT_EQ(at.x == kFailedPanelFirstAt.x && at.y == kFailedPanelFirstAt.y, c.middle);
    EXPECT_GE(at.x, 0);
    EXPECT_LE(at.x + kFailedPanelWidth, kScreenWidth);
    EXPECT_GE(at.y, 30);  // under the status strip
    EXPECT_LE(at.y + kFailedPanelHeight, kScreenHeight);
    // Its buttons go with it: each answers at its own centre.
    const float dx = at.x - kFailedPanelFirstAt.x, dy = at.y - kFailedPanelFirstAt.y;
    EXPECT_EQ(gui->ClickGui((kFailedRetry.left + kFailedRetry.right) / 2 + dx, kFailedRetry.top + 5 + dy),
              ScreenRequest::RestartLevel);
    EXPECT_EQ(gui->ClickGui((kFailedMenu.left + kFailedMenu.right) / 2 + dx, kFailedMenu.top + 5 + dy),
              ScreenRequest::LeaveLevel);
    const HitBox showMe = ShowMeBox(match->run);
    EXPECT_EQ(gui->ClickGui(showMe.left + 5, showMe.top + 5), ScreenRequest::ShowMe);
    EXPECT_TRUE(showMe.left > at.x && showMe.right < at.x + kFailedPanelWidth);
    EXPECT_TRUE(showMe.top > at.y && showMe.bottom < at.y + kFailedPanelHeight);
    // The old place over the palette is the board's frame again.
    EXPECT_EQ(gui->ClickGui(200, 730), ScreenRequest::None);
  }
}

TEST_F(GuiTest, UnderTheFirstRulesTheFailedPanelAndItsButtonsStayWhereTheyWere) {
  RulesVersionScope rules(1);
  match->run.trainCrashed = 1;
  match->run.crashX = 512;  // right under the middle place
  match->run.crashY = 345;
  const PanelOrigin at = FailedPanelAt(match->run);
  EXPECT_EQ(at.x, kFailedPanelFirstAt.x);
  EXPECT_EQ(at.y, kFailedPanelFirstAt.y);
  // Where the kept lost-level replay clicks its Menu.
  EXPECT_EQ(gui->ClickGui(410, 425), ScreenRequest::LeaveLevel);
  EXPECT_EQ(gui->ClickGui(600, 420), ScreenRequest::RestartLevel);
  EXPECT_EQ(gui->ClickGui(200, 730), ScreenRequest::ShowMe);
  EXPECT_EQ(gui->ClickGui(450, 330), ScreenRequest::None);  // where the button is drawn since
  EXPECT_EQ(gui->PanelFocus().boxes.size(), 2u);
}

}  // namespace
