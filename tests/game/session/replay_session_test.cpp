// The game's side of replays: pointer positions survive the trip from a
// window's pixels to the virtual screen and back on any display, and the end
// line reads the game's own values.
#include <gtest/gtest.h>

#include "game/session/replay_session.h"
#include "game/rules/state.h"
#include "runtime/gc.h"

namespace {

TEST(ReplaySessionTest, EveryPixelOfThePictureComesBackFromItsVirtualPosition) {
  const GameDisplayMap map;
  const struct {
    int width, height;
  } displays[] = {{1024, 768}, {1280, 1024}, {1920, 1080}, {800, 600}, {1366, 768}};
  for (const auto& d : displays) {
    int changed = 0;
    for (int px = 0; px < d.width; ++px) {
      float vx = 0, vy = 0;
      map.ToVirtual(px, d.height / 2, d.width, d.height, &vx, &vy);
      if (vx <= 0.0f || vx >= 1023.0f) continue;  // the bars: the edge, whatever the pixel
      int x = -1, y = -1;
      map.ToPixel(vx, vy, d.width, d.height, &x, &y);
      float back = 0, unused = 0;
      map.ToVirtual(x, y, d.width, d.height, &back, &unused);
      // The pixel found maps to exactly the same position (a pixel narrower
      // than a virtual one may share its position with a neighbour).
      EXPECT_EQ(back, vx) << d.width << "x" << d.height << " pixel " << px;
      changed += x != px;
    }
    // Only when pixels are smaller than virtual ones may another pixel stand in.
    if (d.width <= 1024) {
      EXPECT_EQ(changed, 0) << d.width;
    }
  }
}

TEST(ReplaySessionTest, EndLineReadsTheGamesValues) {
  ResetGameState();
  gameState.progress.currentLevel = 4;
  gameState.progress.totalScore = 1234;
  gameState.progress.totalGold = 56;
  gameState.progress.ownedWorkers = 7;
  for (int i = 0; i < 3; ++i) levelStates[i] = 1;
  levelStates[3] = 2;
  EXPECT_EQ(ReplayEndLine(ScreenScenarioMap, 98765),
            "screen=2 level=4 score=1234 gold=56 workers=7 time=98765 states=111200000000000");
  ResetGameState();
}

}  // namespace
