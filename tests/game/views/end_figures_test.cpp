// The campaign's final figures: the totals as the progress keeps them, and the
// time as the records keep it, every won level's fastest run added up.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/views/end_figures.h"

namespace {

TEST(EndFigures, TheTimeAddsTheFastestRunOfEveryLevelWon) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> wins;  // level, seconds
    int seconds;
  };
  const Case cases[] = {
      {"nothing won", {}, 0},
      {"two levels", {{1, 95}, {15, 65}}, 160},
      {"a slower second win keeps the faster", {{3, 80}, {3, 120}}, 80},
      {"a faster second win replaces the slower", {{3, 120}, {3, 70}, {4, 10}}, 80},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LevelRecords records;
    for (const auto& [level, seconds] : c.wins) records.RecordWin(level, 500, seconds, false, 2);
    Progress progress;
    progress.totalScore = 4321;
    progress.totalGold = 1500;
    const EndFigures figures = FinalFigures(progress, records);
    EXPECT_EQ(figures.seconds, c.seconds);
    EXPECT_EQ(figures.score, 4321);
    EXPECT_EQ(figures.gold, 1500);
  }
}

// A record never won may hold stray seconds (a damaged file read back): they
// are not part of the line's time.
TEST(EndFigures, ALevelNeverWonAddsNoTime) {
  LevelRecords records;
  records.levels[6].fastestSeconds = 300;
  EXPECT_EQ(FinalFigures(Progress(), records).seconds, 0);
}

}  // namespace
