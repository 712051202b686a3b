// What the board says on a cell, through the player's clicks: one message per
// cell at a time, the newest winning (a refusal's reason over the amount of
// the order before it, the amount of a new order over an old reason); the
// pointer's word only on a quiet cell; a theft leaves its cell at once for the
// iron in stock. The mine's line names who works it and what is left.
#include <string>
#include <vector>

#include "game/views/board_view.h"
#include "game/views/cell_messages.h"
#include "tests/game/listening_fixtures.h"

namespace {

class CellMessagesTest : public LevelPlayWithFeedback {
 protected:
  CellMessages Now() const { return CellMessages(*level, feedback->Marks(), match->clock.lastMillisecs); }
  // The texts that show, as "text", and the reasons, as "why:reason".
  std::vector<std::string> Shown() const {
    const CellMessages messages = Now();
    std::vector<std::string> shown;
    for (int i = 0; i < level->scoreTexts.Length(); ++i) {
      if (level->scoreTexts[i]->active == 1 && messages.TextShown(i)) shown.push_back(level->scoreTexts[i]->text.ToUtf8());
    }
    const std::vector<FeedbackMark>& marks = feedback->Marks();
    for (std::size_t i = 0; i < marks.size(); ++i) {
      if (marks[i].event.kind == FeedbackKind::OrderRefused && messages.ReasonShown(static_cast<int>(i)) &&
          match->clock.lastMillisecs - marks[i].startMs < kReasonMs) {
        shown.push_back(std::string("why:") + RefusalText(marks[i].event.verdict));
      }
    }
    return shown;
  }
};

TEST_F(CellMessagesTest, OnOneCellTheNewestMessageWinsAndCellsApartKeepTheirOwn) {
  Play(1);
  Use(PieceStraightWE, 2, 1);
  EXPECT_EQ(Shown(), std::vector<std::string>{"-100"});
  EXPECT_FALSE(Now().CellQuiet(2, 1));
  Step();
  Use(PieceStraightWE, 2, 1);  // the cell is taken now
  EXPECT_EQ(Shown(), std::vector<std::string>{"why:Blocked"});
  Step();
  Use(PieceCurveES, 4, 0);  // another cell: both show
  EXPECT_EQ(Shown(), (std::vector<std::string>{"-150", "why:Blocked"}));
  // Once both have gone the cells are quiet and the pointer's word may show.
  Run(kReasonMs);
  EXPECT_TRUE(Shown().empty());
  EXPECT_TRUE(Now().CellQuiet(2, 1));
  EXPECT_TRUE(Now().CellQuiet(4, 0));
}

TEST_F(CellMessagesTest, ANewOrderOnACellWithAnOldReasonShowsItsAmount) {
  Play(1);
  match->run.iron = 50;
  Use(PieceStraightWE, 3, 2);
  EXPECT_EQ(Shown(), std::vector<std::string>{"why:No iron"});
  Step();
  match->run.iron = 500;
  Use(PieceStraightWE, 3, 2);
  EXPECT_EQ(Shown(), std::vector<std::string>{"-100"});
}

// Level 3: bandits camp on the mine's lower left cell.
TEST_F(CellMessagesTest, ATheftFliesOffAndLeavesTheBanditsCellToThePointersWord) {
  Play(3);
  match->run.iron = 1000;
  level->SpawnBandits();
  c_cBandits* bandits = Bandits();
  ASSERT_EQ(bandits->active, 1);
  ASSERT_TRUE(RunUntil([&] { return match->run.iron < 1000; }, 2000));
  ASSERT_EQ(Texts().back().substr(0, 7), "3:-100@");
  EXPECT_TRUE(Now().CellQuiet(bandits->x, bandits->y));
  EXPECT_EQ(Shown(), std::vector<std::string>{"-100"});
}

TEST_F(CellMessagesTest, TheMineNamesItsWorkersAndWhatIsLeft) {
  Play(3);
  const int reserve = Mine()->reserve;
  EXPECT_EQ(MineText(*Mine()).ToUtf8(), "0 at work - " + std::to_string(reserve) + " left");
  for (int i = 0; i < 3; ++i) ClickCell(Mine()->x, Mine()->y);
  EXPECT_EQ(MineText(*Mine()).ToUtf8(), "3 at work - " + std::to_string(reserve) + " left");
  ASSERT_TRUE(RunUntil([&] { return Mine()->reserve < reserve; }, 5100));
  EXPECT_EQ(MineText(*Mine()).ToUtf8(), "3 at work - " + std::to_string(reserve - 75) + " left");
}

}  // namespace
