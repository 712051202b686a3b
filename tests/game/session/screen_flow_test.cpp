// The screens one after another, as a player moves through them: the real
// game application on the fake clock, clicked through the host's input path.
#include "tests/game/main_game_fixture.h"

namespace {

using ScreenFlow = MainGameFixture;

TEST_F(ScreenFlow, StartUpOpensFullScreenAt30HzAndShowsTheLogoForThreeSecondsWhateverIsClicked) {
  Start();
  ASSERT_FALSE(platform.opens.empty());
  EXPECT_TRUE(platform.opens.back().fullScreen);
  EXPECT_EQ(platform.opens.back().width, 1024);
  EXPECT_EQ(game->CurrentUpdateRate(), 30);
  EXPECT_EQ(gameState.settings.musicOn + gameState.settings.soundOn + gameState.settings.fullScreenOn, 3);
  EXPECT_EQ(app->screen, ScreenLogo);
  for (int i = 0; i < 80; ++i) Click(500, 400);  // 2640 ms of clicking
  EXPECT_EQ(app->screen, ScreenLogo);
  Run(400);
  EXPECT_EQ(app->screen, ScreenTitle);
  EXPECT_EQ(currentInputDevice->KeyHit(KeyMouseLeft), 0);
}

TEST_F(ScreenFlow, LeavingTheTitleLoadsTheProgressAndNewGameOrContinueShowTheMap) {
  WriteState("TVXDATA\t1\ttrandle.sav\t21\t4\t900\t700\t6\t0\t0\t1\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0");
  Start();
  PassLogo();
  Run(2000);
  EXPECT_EQ(app->screen, ScreenTitle);  // the title waits for a click
  Click(10, 10);
  EXPECT_EQ(app->screen, ScreenMenu);
  EXPECT_EQ(gameState.progress.currentLevel, 4);
  EXPECT_EQ(gameState.progress.totalScore, 900);

  Click(800, 220);  // continue
  EXPECT_EQ(app->screen, ScreenScenarioMap);
  EXPECT_EQ(app->scenarioMap->selectedLevel, 3);
  EXPECT_EQ(app->scenarioMap->icons[0]->status, LevelDone);
  EXPECT_EQ(app->scenarioMap->icons[3]->status, LevelAvailable);

  Key(kGlfwEscape);  // the map's way back
  EXPECT_EQ(app->screen, ScreenMenu);
  Click(800, 340);  // new game
  EXPECT_EQ(app->screen, ScreenScenarioMap);
  EXPECT_EQ(gameState.progress.currentLevel, 1);
  EXPECT_EQ(gameState.progress.ownedWorkers, 5);
  EXPECT_EQ(app->scenarioMap->selectedLevel, 0);
  EXPECT_EQ(app->scenarioMap->icons[0]->status, LevelAvailable);
  EXPECT_EQ(app->scenarioMap->icons[3]->status, LevelLocked);
}

TEST_F(ScreenFlow, ClicksOutsideTheMenuButtonsStayOnTheMenu) {
  Start();
  ToMenu();
  Click(667, 220);  // the buttons' bound itself
  Click(500, 100);
  Click(800, 290);  // between continue and new game
  EXPECT_EQ(app->screen, ScreenMenu);
}

TEST_F(ScreenFlow, TheMapStartsTheAvailableLevelOnlyAndTheLevelBeginsWithItsTutorial) {
  Start();
  ToMap(true);
  Click(169, 166);  // level 2: locked
  StartSelectedLevel();
  EXPECT_EQ(app->screen, ScreenScenarioMap);
  Click(138, 96);  // level 1
  StartSelectedLevel();
  EXPECT_EQ(app->screen, ScreenPlaying);
  EXPECT_EQ(Played().flags.tutorialShowing, 1);
  EXPECT_EQ(Played().flags.tutorialPage, 0);
  EXPECT_EQ(Played().train->cellX, Played().board->startX - 1);
  EXPECT_EQ(Played().run.departure.secondsLeft, 300);
}

TEST_F(ScreenFlow, NothingOfTheLevelMovesWhileATutorialPageShowsAndEachClickTurnsOnePage) {
  Start();
  ToMap(true);
  StartSelectedLevel();
  Run(20000);
  EXPECT_EQ(Played().train->countdown, 0);
  EXPECT_EQ(Played().run.departure.clockMinutes * 60 + Played().run.departure.clockSeconds, 300);
  for (int page = 1; page <= 5; ++page) {
    Click(500, 400);
    EXPECT_EQ(Played().flags.tutorialPage, page);
    EXPECT_EQ(Played().flags.tutorialShowing, 1);
  }
  Click(500, 400);
  EXPECT_EQ(Played().flags.tutorialShowing, 0);
  EXPECT_EQ(Played().flags.gamePaused, 0);
  // The first whole second may tick at once: the countdown's clock is the
  // train's own.
  Run(3100);
  EXPECT_GE(Played().train->countdown, 3);
  EXPECT_LE(Played().train->countdown, 4);
  EXPECT_EQ(Played().run.departure.secondsLeft, 300 - Played().train->countdown);
}

TEST_F(ScreenFlow, APageShownMidLevelFreezesTheCountdownWhereItStoodUntilItIsClickedAway) {
  Start();
  PlayFirstLevel();
  Run(10100);
  const int before = Played().train->countdown;
  ASSERT_GE(before, 10);
  // As the bandits' introduction shows itself.
  Played().flags.tutorialShowing = 1;
  Played().flags.gamePaused = 1;
  Played().flags.tutorialPage = 9;
  Run(30000);
  EXPECT_EQ(Played().train->countdown, before);
  Click(500, 400);
  EXPECT_EQ(Played().flags.tutorialShowing, 0);
  Run(2100);
  EXPECT_GE(Played().train->countdown, before + 1);
  EXPECT_LE(Played().train->countdown, before + 3);
}

TEST_F(ScreenFlow, APieceUnderConstructionGainsNoWorkWhileAPageIsRead) {
  Start();
  PlayFirstLevel();
  Key(kGlfwDigit1);  // the straight piece
  const int cx = Played().board->startX + 1, cy = Played().board->startY;
  Click(CellLeft(cx) + 37.0f, CellTop(cy) + 37.0f);
  ASSERT_EQ(Played().board->CellKind(cx, cy), CellBlocked);  // ordered
  Run(2000);
  Played().flags.tutorialShowing = Played().flags.gamePaused = 1;
  Played().flags.tutorialPage = 10;
  Run(10000);
  Click(500, 400);
  Run(2000);  // 4 of the 5 seconds of work
  EXPECT_EQ(Played().board->CellKind(cx, cy), CellBlocked);
  Run(1500);
  EXPECT_EQ(Played().board->CellKind(cx, cy), PieceStraightWE);
}

TEST_F(ScreenFlow, AWonLevelAddsItsTotalsSavesAndShowsTheMapAtTheNextLevel) {
  Start();
  PlayFirstLevel();
  LayTrackAndDepart();
  RunUntil(Played().run.trainArrived);
  ASSERT_EQ(Played().run.trainArrived, 1);
  const int score = Played().run.levelScore;
  EXPECT_GE(score, 500);  // the send-off bonus at least
  Click(600, 500);        // continue
  EXPECT_EQ(app->screen, ScreenScenarioMap);
  EXPECT_EQ(gameState.progress.currentLevel, 2);
  EXPECT_EQ(gameState.progress.totalScore, score);
  EXPECT_EQ(app->scenarioMap->selectedLevel, 1);
  EXPECT_EQ(app->scenarioMap->icons[0]->status, LevelDone);
  EXPECT_EQ(app->scenarioMap->icons[1]->status, LevelAvailable);
  EXPECT_NE(ReadState().find("trandle.sav\t21\t2\t" + std::to_string(score) + "\t"), std::string::npos)
      << ReadState();
}

TEST_F(ScreenFlow, WinningTheLastLevelShowsTheEndPictureWithTheCurrentLevelStill15) {
  WriteState("TVXDATA\t1\ttrandle.sav\t21\t15\t0\t0\t5\t0\t0\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t2");
  Start();
  ToMap(false);
  StartSelectedLevel();
  ASSERT_EQ(app->screen, ScreenPlaying);
  ReadTutorialAway();
  LayTrackAndDepart();
  RunUntil(Played().run.trainArrived);
  ASSERT_EQ(Played().run.trainArrived, 1);
  Click(600, 500);
  EXPECT_EQ(app->screen, ScreenTheEnd);
  EXPECT_EQ(gameState.progress.gameCompleted, 1);
  EXPECT_EQ(gameState.progress.currentLevel, 15);
  Click(500, 400);
  EXPECT_EQ(app->screen, ScreenMenu);
  // Continue shows every level done; the selected one is played again.
  Click(800, 220);
  ASSERT_EQ(app->screen, ScreenScenarioMap);
  for (int i = 0; i < kLevelCount; ++i) EXPECT_EQ(app->scenarioMap->icons[i]->status, LevelDone) << i;
  StartSelectedLevel();
  EXPECT_EQ(app->screen, ScreenPlaying);
  EXPECT_EQ(Played().run.levelNumber, 15);
}

TEST_F(ScreenFlow, ALostLevelRestartsOnRetryAndLeavesForTheMenuOnMenu) {
  Start();
  PlayFirstLevel();
  Click(540, 13);  // sent off over no track
  RunUntil(Played().run.trainCrashed);
  ASSERT_EQ(Played().run.trainCrashed, 1);
  Click(600, 420);  // retry: the level afresh, its pages not again
  EXPECT_EQ(app->screen, ScreenPlaying);
  EXPECT_EQ(Played().run.trainCrashed, 0);
  EXPECT_EQ(app->levelRequest, ScreenRequest::None);
  EXPECT_EQ(Played().flags.tutorialShowing, 0);
  EXPECT_LE(Played().train->countdown, 1);

  ReadTutorialAway();
  Click(540, 13);
  RunUntil(Played().run.trainCrashed);
  Click(400, 420);  // menu
  EXPECT_EQ(app->screen, ScreenMenu);
  EXPECT_EQ(gameState.progress.currentLevel, 1);
  EXPECT_NE(ReadState().find("trandle.sav\t21\t1\t"), std::string::npos);
}

TEST_F(ScreenFlow, ThePausePanelRestartsQuitsAndResumesAndEscapeOpensAndClosesIt) {
  Start();
  PlayFirstLevel();
  Run(5100);
  Click(960, 740);  // the pause button
  EXPECT_EQ(Played().flags.gamePaused, 1);
  const int countdown = Played().train->countdown;
  Run(3000);
  EXPECT_EQ(Played().train->countdown, countdown);
  Click(500, 340);  // resume
  EXPECT_EQ(Played().flags.gamePaused, 0);

  Key(kGlfwEscape);
  EXPECT_EQ(Played().flags.gamePaused, 1);
  Key(kGlfwEscape);
  EXPECT_EQ(Played().flags.gamePaused, 0);

  Key(kGlfwEscape);
  Click(500, 390);  // restart, taken up by the next update
  EXPECT_EQ(app->levelRequest, ScreenRequest::RestartLevel);
  Update();
  EXPECT_EQ(Played().flags.gamePaused, 0);  // the level starts again, its pages read
  EXPECT_EQ(Played().flags.tutorialShowing, 0);
  EXPECT_LE(Played().train->countdown, 1);

  Click(960, 740);
  Click(500, 545);  // quit
  EXPECT_EQ(app->screen, ScreenMenu);
  EXPECT_NE(ReadState().find("trandle.sav"), std::string::npos);
}

TEST_F(ScreenFlow, EscapeSkipsTheTutorialPagesAndDoesNothingOnAResultPanel) {
  Start();
  ToMap(true);
  StartSelectedLevel();
  ASSERT_EQ(Played().flags.tutorialShowing, 1);
  Key(kGlfwEscape);
  EXPECT_EQ(Played().flags.tutorialShowing, 0);
  EXPECT_EQ(Played().flags.gamePaused, 0);
  Click(540, 13);
  RunUntil(Played().run.trainCrashed);
  Key(kGlfwEscape);
  EXPECT_EQ(Played().flags.gamePaused, 0);
}

TEST_F(ScreenFlow, KeysOneToEightPickThePaletteAndARightClickDropsIt) {
  Start();
  PlayFirstLevel();
  EXPECT_EQ(Played().run.selectedPiece, -1);
  Key(kGlfwDigit1 + 7);
  EXPECT_EQ(Played().run.selectedPiece, 7);
  Key(kGlfwDigit1 + 2);
  EXPECT_EQ(Played().run.selectedPiece, 2);
  Click(500, 400, kGlfwRightButton);
  EXPECT_EQ(Played().run.selectedPiece, -1);
  Key(kGlfwDigit1 + 8);  // 9 is no slot
  EXPECT_EQ(Played().run.selectedPiece, -1);
  Key(kGlfwEscape);
  Key(kGlfwDigit1);  // not while paused
  EXPECT_EQ(Played().run.selectedPiece, -1);
}

TEST_F(ScreenFlow, TheLevelsPanelsRequestsAreTakenInTheOrderContinueRestartMenu) {
  Start();
  PlayFirstLevel();
  Played().run.trainArrived = 1;
  for (ScreenRequest r : {ScreenRequest::RestartLevel, ScreenRequest::NextLevel, ScreenRequest::LeaveLevel}) {
    app->Act(r);
  }
  Update();
  EXPECT_EQ(app->screen, ScreenScenarioMap);
  EXPECT_EQ(gameState.progress.currentLevel, 2);
  EXPECT_EQ(app->levelRequest, ScreenRequest::None);

  StartSelectedLevel();
  app->Act(ScreenRequest::LeaveLevel);
  app->Act(ScreenRequest::RestartLevel);
  Update();
  EXPECT_EQ(app->screen, ScreenPlaying);
  app->Act(ScreenRequest::LeaveLevel);
  Update();
  EXPECT_EQ(app->screen, ScreenMenu);
}

}  // namespace
