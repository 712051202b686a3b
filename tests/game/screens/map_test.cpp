// The scenario map: icon selection at its reach, the start and buy buttons,
// and the floating texts.
#include "game/rules/layouts.h"
#include <gtest/gtest.h>

#include "game/screens/map.h"
#include "game/rules/progress.h"
#include "game/rules/state.h"

namespace {

gc_global<c_cMap*> testMap;

class MapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ResetProgress();
    map = new c_cMap();
    testMap = map;
    map->SetUpScenarioMap();
    map->RefreshIcons();
  }
  void TearDown() override { testMap = nullptr; }
  int ActiveTexts() const {
    int n = 0;
    for (int i = 0; i < map->mapTexts.Length(); ++i) n += map->mapTexts[i]->active;
    return n;
  }
  c_cMap* map = nullptr;
};

TEST_F(MapTest, ANewGamesMapHasOnlyTheFirstLevelAvailableAndFiveWorkers) {
  ASSERT_EQ(map->icons.Length(), kLevelCount);
  EXPECT_EQ(map->icons[0]->status, LevelAvailable);
  for (int i = 1; i < kLevelCount; ++i) EXPECT_EQ(map->icons[i]->status, LevelLocked) << i;
  EXPECT_EQ(gameState.progress.ownedWorkers, 5);
  EXPECT_EQ(gameState.progress.totalGold, 0);
  EXPECT_LT(gameState.progress.totalGold, kWorkerPrice);  // the no-funds picture covers the buy button
  EXPECT_EQ(map->icons[0]->name, String("First Station"));
  EXPECT_EQ(map->icons[14]->name, String("Last Station"));
}

TEST_F(MapTest, AnIconAnswersFrom20BeforeTo40AfterItsCorner) {
  const c_cScenarioIcon* icon = map->icons[6];
  map->ClickMap(icon->x - 21, icon->y);
  map->ClickMap(icon->x + 41, icon->y);
  map->ClickMap(icon->x, icon->y + 41);
  EXPECT_EQ(map->selectedLevel, 0);
  map->ClickMap(icon->x - 20, icon->y + 40);
  EXPECT_EQ(map->selectedLevel, 6);
  map->selectedLevel = 0;
  map->ClickMap(icon->x + 40, icon->y - 20);
  EXPECT_EQ(map->selectedLevel, 6);
}

TEST_F(MapTest, WhereTwoIconsOverlapTheLaterOneIsSelected) {
  const HitBox a = IconBox(map->icons[11]);
  const HitBox b = IconBox(map->icons[12]);
  const float x = b.left, y = a.top;  // a corner inside both areas
  ASSERT_TRUE(a.Contains(x, y));
  ASSERT_TRUE(b.Contains(x, y));
  map->ClickMap(x, y);
  EXPECT_EQ(map->selectedLevel, 12);
}

TEST_F(MapTest, AvailableAndDoneLevelsStartNotLockedOnesAndTheStartButtonIncludesItsBounds) {
  levelStates[0] = LevelDone;
  levelStates[1] = LevelAvailable;
  map->ClickMap(138, 96);  // the done level 1, played again
  EXPECT_EQ(map->ClickMap(765, 671), ScreenRequest::StartLevel);
  // The first rules kept a done level's Start grey.
  SetRulesVersion(1);
  EXPECT_EQ(map->ClickMap(765, 671), ScreenRequest::None);
  SetRulesVersion(kNewestRules);
  map->ClickMap(241, 315);  // the locked level 4
  EXPECT_EQ(map->ClickMap(800, 720), ScreenRequest::None);
  map->ClickMap(169, 166);  // level 2
  for (auto p : {std::pair<float, float>{764, 720}, {950, 720}, {800, 670}}) {
    EXPECT_EQ(map->ClickMap(p.first, p.second), ScreenRequest::None) << p.first << "," << p.second;
  }
  EXPECT_EQ(map->ClickMap(949, 768), ScreenRequest::StartLevel);
}

// The map's briefing is the level's own: start iron, the mine's iron, the
// bandits and the raiders, for all fifteen.
TEST_F(MapTest, EachIconsFiguresAreTheLevelsOwn) {
  for (int n = 1; n <= kLevelCount; ++n) {
    const LevelLayout& l = LevelLayoutOf(n);
    const c_cScenarioIcon* icon = map->icons[n - 1];
    EXPECT_EQ(icon->startIron, l.iron) << "level " << n;
    EXPECT_EQ(icon->mineIron, l.hasMine ? l.mineReserve : 0) << "level " << n;
    const bool events = l.events != EventsCleared;
    EXPECT_EQ(icon->banditsThreat, events ? l.banditsKind : 0) << "level " << n;
    EXPECT_EQ(icon->indigensThreat, events ? l.indigensKind : 0) << "level " << n;
  }
  // Where the old table and the layouts disagreed, the layouts hold.
  EXPECT_EQ(map->icons[9]->startIron, 500);
  for (int i = 11; i < kLevelCount; ++i) EXPECT_EQ(map->icons[i]->mineIron, 6000) << i;
}

TEST_F(MapTest, AWorkerCosts500AndTheCrewStopsAt15) {
  gameState.progress.totalGold = 1000;
  gameState.progress.ownedWorkers = 14;
  map->ClickMap(520, 700);
  map->ClickMap(600, 755);
  EXPECT_EQ(gameState.progress.totalGold, 1000);
  map->ClickMap(521, 754);
  EXPECT_EQ(gameState.progress.totalGold, 500);
  EXPECT_EQ(gameState.progress.ownedWorkers, 15);
  ASSERT_EQ(ActiveTexts(), 1);
  EXPECT_EQ(map->mapTexts[0]->text, String("-500"));
  map->ClickMap(734, 671);
  EXPECT_EQ(gameState.progress.totalGold, 500);
  EXPECT_EQ(gameState.progress.ownedWorkers, 15);
  EXPECT_EQ(ActiveTexts(), 1);

  gameState.progress.ownedWorkers = 5;
  gameState.progress.totalGold = 499;
  map->ClickMap(600, 700);
  EXPECT_EQ(gameState.progress.ownedWorkers, 5);
}

TEST_F(MapTest, AFloatingTextRisesAndFadesInTwentyStepsOfTenMilliseconds) {
  map->clockMs = 1000;
  map->AddMapText(String("-500"), 635, 590);
  c_cScoreText2* text = map->mapTexts[0];
  map->clockMs = 1005;
  map->UpdateMapTexts();
  EXPECT_EQ(text->y, 590);
  int steps = 0;
  while (text->active == 1 && steps < 40) {
    map->clockMs += 10;
    map->UpdateMapTexts();
    ++steps;
  }
  EXPECT_GE(steps, 20);
  EXPECT_LE(steps, 21);  // the twentieth subtraction of 0.05 lands within a rounding of 0
  EXPECT_EQ(text->y, 590 - steps);
}

TEST_F(MapTest, TheTextPoolHoldsTen) {
  for (int i = 0; i < 12; ++i) map->AddMapText(String::FromInt(i), 0, 0);
  EXPECT_EQ(ActiveTexts(), kMapTextCount);
  EXPECT_EQ(map->mapTexts[9]->text, String("9"));
}

}  // namespace
