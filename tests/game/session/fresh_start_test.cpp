// A level start is a fresh start: nothing of the run before (enemies,
// explosions, texts, the train's timers) survives a restart or reaches the
// next level; a retry does not show the level's pages again, and Skip closes
// them; the panel in front takes the click. All through clicks and keys, as a
// player gives them, and each against the first rules where those differ.
#include "game/rules/layouts.h"
#include "game/screens/gui.h"
#include "tests/game/main_game_fixture.h"

namespace {

class FreshStart : public MainGameFixture {
 protected:
  // A new game with every level up to `level` done, that level started and
  // its pages (if any) skipped.
  void PlayLevel(int level) {
    ToMap(true);
    for (int i = 0; i < level - 1; ++i) levelStates[i] = LevelDone;
    levelStates[level - 1] = LevelAvailable;
    gameState.progress.currentLevel = level;
    app->scenarioMap->selectedLevel = level - 1;
    StartSelectedLevel();
    ASSERT_EQ(Played().run.levelNumber, level);
    ReadTutorialAway();
  }
  // What a run leaves on the board: the bandits at the mine, raiders, an
  // explosion and a floating text.
  void LeaveTraces() {
    c_cLevel* level = Played().board;
    level->SpawnBandits();
    level->SpawnIndigens(5, 5);
    level->AddExplosion(100, 100);
    level->AddScoreText(150, 200, 200);
    ReadTutorialAway();  // their introduction pages, if they come
  }
  template <class T>
  static int Active(const Array<T*>& pool) {
    int n = 0;
    for (int i = 0; i < pool.Length(); ++i) n += pool[i]->active;
    return n;
  }
  int Traces() const {
    const c_cLevel* level = Played().board;
    return Active(level->bandits) + Active(level->indigens) + Active(level->explosions) + Active(level->scoreTexts);
  }
};

// Level 15 has a mine and bandits: they steal, then the pause panel's Restart.
TEST_F(FreshStart, ARestartFromThePausePanelClearsTheRunAndGivesTheLevelsIron) {
  for (int rules : {kNewestRules, 1}) {
    SetRulesVersion(rules);
    Start();
    PlayLevel(15);
    LeaveTraces();
    const int startIron = LevelLayoutOf(15).iron;
    Run(8000);
    ASSERT_LT(Played().run.iron, startIron) << "the bandits steal";
    Played().train->heading = 90;
    Click(960, 740);  // pause
    Click(500, 390);  // Restart, taken up by the next update
    Update();
    EXPECT_EQ(Played().run.iron, startIron);
    EXPECT_EQ(Played().train->heading, 0);
    if (rules == kNewestRules) {
      EXPECT_EQ(Traces(), 0);
    } else {
      EXPECT_GT(Traces(), 0) << "the first rules kept the last run's enemies";
    }
    TearDown();
    SetUp();
  }
}

TEST_F(FreshStart, TheNextLevelAfterAWinStartsWithoutTheRaidersLeftOnTheBoard) {
  Start();
  PlayLevel(4);
  LayTrackAndDepart();
  RunUntil(Played().run.trainArrived);
  ASSERT_EQ(Played().run.trainArrived, 1);
  LeaveTraces();
  ASSERT_GT(Traces(), 0);
  Click(630, 505);  // Continue
  ASSERT_EQ(app->screen, ScreenScenarioMap);
  StartSelectedLevel();
  ASSERT_EQ(Played().run.levelNumber, 5);
  EXPECT_EQ(Traces(), 0);
}

// Continue on the won panel stands over cell (8, 6): a raider there is not
// chased by the click that continues (the first rules let it through).
TEST_F(FreshStart, TheWonPanelTakesTheClickThatWouldChaseARaiderBeneath) {
  for (int rules : {kNewestRules, 1}) {
    SetRulesVersion(rules);
    Start();
    PlayLevel(1);
    LayTrackAndDepart();
    RunUntil(Played().run.trainArrived);
    gameState.progress.indigensIntroShown = 1;  // no page comes with them
    Played().board->SpawnIndigens(CellAt(630), CellAt(505));
    c_cEnemy* raiders = Played().board->indigens[0];
    ASSERT_EQ(raiders->active, 1);
    Click(630, 505);
    EXPECT_EQ(raiders->chaseMeter > 0, rules == 1) << "rules " << rules;
    TearDown();
    SetUp();
  }
}

// A retry shows none of the level's pages; a new start from the map shows
// them, and Skip on the first closes all six.
TEST_F(FreshStart, ARetrySkipsThePagesAndSkipClosesARunOfThem) {
  Start();
  ToMap(true);
  StartSelectedLevel();
  ASSERT_EQ(Played().flags.tutorialShowing, 1);
  const HitBox skip = TutorialSkipBox(Played().flags.tutorialPage);
  Click((skip.left + skip.right) / 2, (skip.top + skip.bottom) / 2);
  EXPECT_EQ(Played().flags.tutorialShowing, 0);
  EXPECT_EQ(Played().flags.gamePaused, 0);
  Click(540, 13);  // sent off over no track
  RunUntil(Played().run.trainCrashed);
  Click(600, 420);  // Retry
  EXPECT_EQ(Played().run.trainCrashed, 0);
  EXPECT_EQ(Played().flags.tutorialShowing, 0);
  Click(960, 740);  // pause, and quit: a new start from the map shows the pages
  Click(500, 545);
  Click(800, 220);
  StartSelectedLevel();
  EXPECT_EQ(Played().flags.tutorialShowing, 1);
}

// Under the first rules the same click only turned the page.
TEST_F(FreshStart, UnderTheFirstRulesSkipWasNoButton) {
  SetRulesVersion(1);
  Start();
  ToMap(true);
  StartSelectedLevel();
  const int page = Played().flags.tutorialPage;
  const HitBox skip = TutorialSkipBox(page);
  Click((skip.left + skip.right) / 2, (skip.top + skip.bottom) / 2);
  EXPECT_EQ(Played().flags.tutorialShowing, 1);
  EXPECT_EQ(Played().flags.tutorialPage, page + 1);
}

// Every page stays on the screen, clear of its level's START and FINISH
// (the first points at both with arrows from its sides), with its Skip
// inside it.
TEST(TutorialPages, StandClearOfStartAndFinishWithSkipInside) {
  struct Run {
    int level, firstPage, lastPage;
  };
  for (const Run& run : {Run{1, 1, 5}, Run{2, 6, 8}, Run{4, 11, 11}}) {
    const LevelLayout& l = LevelLayoutOf(run.level);
    for (int page = run.firstPage; page <= run.lastPage; ++page) {
      const TutorialPagePlace p = kTutorialPages[page];
      const HitBox pageBox = ClosedBox(p.x, p.x + p.width, p.y, p.y + p.height);
      EXPECT_LE(p.x + p.width, kScreenWidth) << page;
      EXPECT_LE(p.y + p.height, kScreenHeight) << page;
      for (CellXY c : {l.start, l.finish}) {
        const float cx = CellLeft(c.x), cy = CellTop(c.y);
        const bool overlaps = cx < pageBox.right && cx + kCellSize > pageBox.left && cy < pageBox.bottom &&
                              cy + kCellSize > pageBox.top;
        EXPECT_FALSE(overlaps) << "page " << page + 1 << " covers cell " << c.x << "," << c.y;
      }
      const HitBox skip = TutorialSkipBox(page);
      EXPECT_TRUE(pageBox.Contains(skip.left, skip.top) && pageBox.Contains(skip.right, skip.bottom)) << page;
    }
  }
}

}  // namespace
