// The moment the line joins, through the game's own input path: the last
// piece ordered by a click and built joins the line, which plays its sound
// once and shows its invitation while the train waits; a broken line takes
// it back. On departure the status line does not count the send-off bonus
// before the train arrives, and the word under TIME says whether the line
// was joined. The mine's line names its workers and its reserve.
#include <algorithm>
#include <vector>

#include "game/rules/departure.h"
#include "game/rules/sounds.h"
#include "game/views/board_view.h"
#include "game/views/moment_view.h"
#include "tests/game/listening_fixtures.h"

namespace {

// The first level's row of START, all but column 3 laid with straights.
constexpr int kGapColumn = 3;

class Moments : public MainGameWithSounds {
 protected:
  c_MomentView* View() const { return app->boardView->moments; }
  void LayAllButGap() {
    c_cLevel* level = app->level;
    for (int x = level->startX; x <= level->finishX; ++x) {
      if (x != kGapColumn) level->SetCellKind(x, level->startY, PieceStraightWE);
    }
  }
  // Orders a straight on the gap by a click and runs until it is built.
  void BuildGap() {
    Key(kGlfwDigit1 + PieceStraightWE);
    Click(CellCentre(kGapColumn), CellCentre(app->level->startY));
    ASSERT_EQ(app->level->CellKind(kGapColumn, app->level->startY), CellBlocked);
    for (int i = 0; i < 200 && app->level->CellKind(kGapColumn, app->level->startY) != PieceStraightWE; ++i) Update();
  }
  // TIME pressed over a joined or a broken line, then the level played out.
  void SendOff(bool joined) {
    Start();
    PlayFirstLevel();
    LayAllButGap();
    if (joined) BuildGap();
    const int scoreBefore = gameState.run.levelScore;
    Click(540, 13);  // TIME
    EXPECT_EQ(gameState.run.levelScore, scoreBefore + kDepartBonus);
    EXPECT_EQ(ScoreToShow(), scoreBefore);
    EXPECT_GE(View()->DepartedAtMs(), 0);
    EXPECT_EQ(View()->DepartedJoined(), joined);
    EXPECT_FALSE(View()->InviteShown());
    Run(3000);
    EXPECT_EQ(gameState.run.trainRunning, 1);
    EXPECT_EQ(ScoreToShow(), gameState.run.levelScore - kDepartBonus);
    RunUntil(joined ? gameState.run.trainArrived : gameState.run.trainCrashed);
  }
};

TEST_F(Moments, TheLastPieceBuiltJoinsTheLineOnceWithItsSoundAndABreakTakesItBack) {
  Start();
  PlayFirstLevel();
  LayAllButGap();
  Update();
  EXPECT_FALSE(View()->LineJoined());
  EXPECT_FALSE(View()->InviteShown());
  BuildGap();
  EXPECT_TRUE(View()->LineJoined());
  EXPECT_TRUE(View()->InviteShown());
  EXPECT_EQ(View()->JoinedAtMs(), gameState.clock.lastMillisecs);
  EXPECT_EQ(View()->Line().size(), 13u);
  Run(2000);
  EXPECT_EQ(sounds.Count(SoundLineComplete), 1);
  // The pause panel covers the invitation; the line stays joined.
  Key(kGlfwEscape);
  EXPECT_TRUE(View()->LineJoined());
  EXPECT_FALSE(View()->InviteShown());
  Key(kGlfwEscape);
  EXPECT_TRUE(View()->InviteShown());
  // Blown up with the dynamite (palette slot 8), the line breaks; built
  // again, it joins again with its sound.
  Key(kGlfwDigit1 + PieceDemolish);
  Click(CellCentre(kGapColumn), CellCentre(app->level->startY));
  EXPECT_FALSE(View()->LineJoined());
  BuildGap();
  EXPECT_TRUE(View()->LineJoined());
  EXPECT_EQ(sounds.Count(SoundLineComplete), 2);
}

TEST_F(Moments, SentOffOverAJoinedLineTheBonusShowsOnArrival) {
  SendOff(true);
  ASSERT_EQ(gameState.run.trainArrived, 1);
  EXPECT_EQ(ScoreToShow(), gameState.run.levelScore);
}

TEST_F(Moments, SentOffOverABrokenLineTheBonusNeverShows) {
  SendOff(false);
  EXPECT_EQ(gameState.run.trainCrashed, 1);
  EXPECT_EQ(gameState.run.trainArrived, 0);
}

TEST_F(Moments, ATrainThatLeavesOnItsOwnShowsItsWholeScore) {
  Start();
  PlayFirstLevel();
  RunUntil(gameState.run.trainRunning, 320000);
  ASSERT_EQ(gameState.run.departSecondsLeft, -1);
  EXPECT_EQ(ScoreToShow(), gameState.run.levelScore);
}

}  // namespace
