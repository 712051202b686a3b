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
    c_cLevel* level = Played().board;
    for (int x = level->startX; x <= level->finishX; ++x) {
      if (x != kGapColumn) level->SetCellKind(x, level->startY, PieceStraightWE);
    }
  }
  // Orders a straight on the gap by a click and runs until it is built.
  void BuildGap() {
    Key(kGlfwDigit1 + PieceStraightWE);
    Click(CellCentre(kGapColumn), CellCentre(Played().board->startY));
    ASSERT_EQ(Played().board->CellKind(kGapColumn, Played().board->startY), CellBlocked);
    for (int i = 0; i < 200 && Played().board->CellKind(kGapColumn, Played().board->startY) != PieceStraightWE; ++i) Update();
  }
  // TIME pressed over a joined or a broken line, then the level played out.
  void SendOff(bool joined) {
    Start();
    PlayFirstLevel();
    LayAllButGap();
    if (joined) BuildGap();
    const int scoreBefore = Played().run.levelScore;
    Click(540, 13);  // TIME
    EXPECT_EQ(Played().run.levelScore, scoreBefore + kDepartBonus);
    EXPECT_EQ(ScoreToShow(Played().run), scoreBefore);
    EXPECT_GE(View()->DepartedAtMs(), 0);
    EXPECT_EQ(View()->DepartedJoined(), joined);
    EXPECT_FALSE(View()->InviteShown(Played()));
    Run(3000);
    EXPECT_EQ(Played().run.trainRunning, 1);
    EXPECT_EQ(ScoreToShow(Played().run), Played().run.levelScore - kDepartBonus);
    RunUntil(joined ? Played().run.trainArrived : Played().run.trainCrashed);
  }
};

TEST_F(Moments, TheLastPieceBuiltJoinsTheLineOnceWithItsSoundAndABreakTakesItBack) {
  Start();
  PlayFirstLevel();
  LayAllButGap();
  Update();
  EXPECT_FALSE(View()->LineJoined());
  EXPECT_FALSE(View()->InviteShown(Played()));
  BuildGap();
  EXPECT_TRUE(View()->LineJoined());
  EXPECT_TRUE(View()->InviteShown(Played()));
  EXPECT_EQ(View()->JoinedAtMs(), Played().clock.lastMillisecs);
  EXPECT_EQ(View()->Line().size(), 13u);
  Run(2000);
  EXPECT_EQ(sounds.Count(SoundLineComplete), 1);
  // The pause panel covers the invitation; the line stays joined.
  Key(kGlfwEscape);
  EXPECT_TRUE(View()->LineJoined());
  EXPECT_FALSE(View()->InviteShown(Played()));
  Key(kGlfwEscape);
  EXPECT_TRUE(View()->InviteShown(Played()));
  // Blown up with the dynamite (palette slot 8), the line breaks; built
  // again, it joins again with its sound.
  Key(kGlfwDigit1 + PieceDemolish);
  Click(CellCentre(kGapColumn), CellCentre(Played().board->startY));
  EXPECT_FALSE(View()->LineJoined());
  BuildGap();
  EXPECT_TRUE(View()->LineJoined());
  EXPECT_EQ(sounds.Count(SoundLineComplete), 2);
}

TEST_F(Moments, SentOffOverAJoinedLineTheBonusShowsOnArrival) {
  SendOff(true);
  ASSERT_EQ(Played().run.trainArrived, 1);
  EXPECT_EQ(ScoreToShow(Played().run), Played().run.levelScore);
}

TEST_F(Moments, SentOffOverABrokenLineTheBonusNeverShows) {
  SendOff(false);
  EXPECT_EQ(Played().run.trainCrashed, 1);
  EXPECT_EQ(Played().run.trainArrived, 0);
}

TEST_F(Moments, ATrainThatLeavesOnItsOwnShowsItsWholeScore) {
  Start();
  PlayFirstLevel();
  RunUntil(Played().run.trainRunning, 320000);
  ASSERT_EQ(Played().run.departSecondsLeft, -1);
  EXPECT_EQ(ScoreToShow(Played().run), Played().run.levelScore);
}

}  // namespace
