// A level from elsewhere played as a custom match (the program's
// --play-level): the game opens on it, plays it with the same rules and
// panels, records nothing of it, and every way out leads back to the title,
// from where the player's own game goes on as before.
#include <gtest/gtest.h>

#include "game/rules/layouts.h"
#include "game/screens/gui.h"
#include "tests/game/main_game_fixture.h"

namespace {

constexpr int kGlfwH = 72;
constexpr int kGlfwS = 83;

// Level 1 moved down a row, without its pages: a level the table does not
// hold.
LevelLayout CustomLayout() {
  LevelLayout l = LevelLayoutOf(1);
  l.start = {0, 5};
  l.finish = {12, 5};
  l.iron = 2500;
  l.firstTutorialPage = kNoTutorial;
  return l;
}

float Middle(float a, float b) { return (a + b) / 2; }

class CustomMatch : public MainGameFixture {
 protected:
  // The program as --play-level starts it: the level handed over before the
  // game starts up.
  void StartOn(const LevelLayout& layout) {
    app = new c_MainGame(false);
    fixtureMainGame = app;
    app->PlayAtStart(layout);
    game->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);
    game->BeginGame();
    Update();
  }
  void ClickBox(const HitBox& box) { Click(Middle(box.left, box.right), Middle(box.top, box.bottom)); }
  void Lose() {
    Click(540, 13);  // sent off over no track
    RunUntil(Played().run.trainCrashed);
    ASSERT_EQ(Played().run.trainCrashed, 1);
  }
  void Win() {
    LayTrackAndDepart();
    RunUntil(Played().run.trainArrived);
    ASSERT_EQ(Played().run.trainArrived, 1);
  }
  // Nothing of the player's game changed: no state file, no records, a new
  // game's progress in memory.
  void ExpectNothingRecorded() {
    EXPECT_EQ(ReadState(), "");
    EXPECT_FALSE(app->scenarioMap->records.Of(0).won);
    EXPECT_EQ(gameState.progress.totalScore, 0);
    EXPECT_EQ(gameState.progress.totalGold, 0);
    for (int i = 0; i < kLevelCount; ++i) EXPECT_NE(levelStates[i], 1) << i;
  }
};

TEST_F(CustomMatch, TheGameOpensOnTheGivenLevelAsAMatchOfNoNumber) {
  StartOn(CustomLayout());
  EXPECT_EQ(app->screen, ScreenPlaying);
  EXPECT_TRUE(app->CustomMatch());
  const Match& m = Played();
  EXPECT_EQ(m.run.levelNumber, 0);
  EXPECT_EQ(m.run.iron, 2500);
  EXPECT_EQ(m.run.freeWorkers, kNewGameWorkers);
  EXPECT_EQ(m.board->startY, 5);
  EXPECT_EQ(m.train->cellX, -1);
  EXPECT_EQ(m.train->cellY, 5);
  EXPECT_EQ(m.layout.start.y, 5);
  EXPECT_EQ(m.flags.tutorialShowing, 0);
  // The hint reads the match's own layout.
  Key(kGlfwH);
  ASSERT_TRUE(app->hint.shown);
  EXPECT_TRUE(app->hint.wayExists);
  ASSERT_FALSE(app->hint.ghosts.empty());
  EXPECT_EQ(app->hint.ghosts[0].cell.y, 5);
}

// Every way out of a custom match goes back to the title, saving nothing.
TEST_F(CustomMatch, EveryWayOutGoesBackToTheTitleAndRecordsNothing) {
  struct Way {
    const char* name;
    bool win;   // won (else lost) before leaving; ignored for the first two
    int leave;  // 0 Escape, 1 the pause panel's Quit, 2 the result panel's Menu, 3 Continue
  };
  const Way ways[] = {
      {"Escape", false, 0},
      {"the pause panel's Quit", false, 1},
      {"the failed panel's Menu", false, 2},
      {"the won panel's Menu", true, 2},
      {"the won panel's Continue", true, 3},
  };
  for (const Way& w : ways) {
    SCOPED_TRACE(w.name);
    TearDown();
    SetUp();
    StartOn(CustomLayout());
    if (w.leave == 0) {
      Key(kGlfwEscape);
    } else if (w.leave == 1) {
      ClickBox(kPauseButton);
      ASSERT_EQ(Played().flags.gamePaused, 1);
      ClickBox(kPauseButtons[PauseQuit]);
    } else {
      if (w.win) {
        Win();
      } else {
        Lose();
      }
      const HitBox out = w.leave == 3 ? kWonContinue : (w.win ? kWonMenu : FailedMenuBox(Played().run));
      ClickBox(out);
      Update();
    }
    EXPECT_EQ(app->screen, ScreenTitle);
    EXPECT_FALSE(app->CustomMatch());
    ExpectNothingRecorded();
  }
}

// Retry plays the same level again; Show me plays the solver's way on it.
TEST_F(CustomMatch, RetryAndShowMePlayTheSameLevelAgain) {
  StartOn(CustomLayout());
  Lose();
  Key(kGlfwS);
  ASSERT_TRUE(app->demo.running);
  EXPECT_EQ(Played().board->startY, 5);
  EXPECT_EQ(Played().run.levelNumber, 0);
  Key(kGlfwEscape);  // any key ends it
  ASSERT_FALSE(app->demo.running);
  EXPECT_EQ(app->demoMatch.get(), nullptr);
  ClickBox(FailedRetryBox(Played().run));
  Update();
  EXPECT_EQ(app->screen, ScreenPlaying);
  EXPECT_TRUE(app->CustomMatch());
  EXPECT_EQ(Played().run.trainCrashed, 0);
  EXPECT_EQ(Played().run.iron, 2500);
  EXPECT_EQ(Played().board->startY, 5);
  ExpectNothingRecorded();
}

// From the title the player's own game goes on: the map starts the table's
// levels again, not the custom one.
TEST_F(CustomMatch, AfterTheTitleThePlayersOwnGameGoesOn) {
  StartOn(CustomLayout());
  Key(kGlfwEscape);
  ASSERT_EQ(app->screen, ScreenTitle);
  Click(500, 400);
  ASSERT_EQ(app->screen, ScreenMenu);
  Click(800, 340);  // new game
  StartSelectedLevel();
  EXPECT_EQ(app->screen, ScreenPlaying);
  EXPECT_FALSE(app->CustomMatch());
  EXPECT_EQ(Played().run.levelNumber, 1);
  EXPECT_EQ(Played().board->startY, 4);
  EXPECT_EQ(Played().layout.start.y, 4);
}

}  // namespace
