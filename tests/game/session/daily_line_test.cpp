// The daily line from the map, through the game's own input: its corner plays
// the day's level as a match of its own, a win is kept in the daily results
// (and nothing in the campaign's progress), and the way out leads back to the
// map, whose corner then counts the day.
#include <gtest/gtest.h>

#include "game/generator/daily_level.h"
#include "game/rules/level_writer.h"
#include "game/session/daily_file.h"
#include "tests/game/main_game_fixture.h"
#include "tests/game/rules_version_scope.h"

namespace {

class DailyLine : public MainGameFixture {
 protected:
  void ClickDailyCorner() {
    Click((kDailyButton.left + kDailyButton.right) / 2, (kDailyButton.top + kDailyButton.bottom) / 2);
  }
  static std::int64_t Day() { return DayNumber(DayOfUtc(MainGameCalendar())); }
};

TEST_F(DailyLine, TheCornerPlaysTheDaysLevelAndKeepsItsWinApartFromTheCampaign) {
  Start();
  ToMap(true);
  ClickDailyCorner();
  ASSERT_EQ(app->screen, ScreenPlaying);
  EXPECT_TRUE(app->CustomMatch());
  EXPECT_EQ(WriteLevelText(Played().layout), WriteLevelText(DailyLevel(DayFromNumber(Day())).layout));
  LayTrackAndDepart();
  RunUntil(Played().run.trainArrived);
  ASSERT_EQ(Played().run.trainArrived, 1);
  Update();
  const DailyResults results = LoadDailyResults();
  ASSERT_EQ(results.days.size(), 1u);
  EXPECT_EQ(results.days[0].day, Day());
  EXPECT_EQ(results.days[0].score, Played().run.levelScore);
  EXPECT_EQ(results.days[0].ironSpent, Played().run.ironSpent);
  EXPECT_FALSE(results.days[0].hintUsed);
  EXPECT_EQ(gameState.progress.totalScore, 0);
  EXPECT_FALSE(app->scenarioMap->records.Of(0).won);
  Key(kGlfwEscape);
  EXPECT_EQ(app->screen, ScreenScenarioMap);
  EXPECT_NE(app->scenarioMap->dailyResults.Of(Day()), nullptr);
}

// The won panel of a day's level tells the day's par and the iron spent
// against it, in place of the stars the campaign's levels earn.
TEST_F(DailyLine, TheWonPanelCountsTheRunAgainstTheDaysPar) {
  Start();
  ToMap(true);
  ClickDailyCorner();
  ASSERT_EQ(app->screen, ScreenPlaying);
  LayTrackAndDepart();
  RunUntil(Played().run.trainArrived);
  ASSERT_EQ(Played().run.trainArrived, 1);
  Update();
  const Par par = ParOf(DailyLevel(DayFromNumber(Day())));
  const WonTally& tally = app->wonTally;
  EXPECT_TRUE(tally.started);
  EXPECT_EQ(tally.par.iron, par.iron);
  EXPECT_EQ(tally.par.arrivalMs, par.arrivalMs);
  EXPECT_EQ(tally.ironSpent, Played().run.ironSpent);
  EXPECT_EQ(tally.arrivalSeconds, app->LevelSeconds());
  EXPECT_EQ(tally.stars, 0);
  EXPECT_EQ(tally.values[WonLineScore], Played().run.levelScore);
}

TEST_F(DailyLine, EscapeFromAnUnfinishedDayGoesBackToTheMapKeepingNothing) {
  Start();
  ToMap(true);
  ClickDailyCorner();
  ASSERT_EQ(app->screen, ScreenPlaying);
  Key(kGlfwEscape);
  EXPECT_EQ(app->screen, ScreenScenarioMap);
  EXPECT_TRUE(LoadDailyResults().days.empty());
}

TEST_F(DailyLine, TheFirstRulesKnowNoCorner) {
  RulesVersionScope first(1);
  Start();
  ToMap(true);
  ClickDailyCorner();
  EXPECT_EQ(app->screen, ScreenScenarioMap);
}

}  // namespace
