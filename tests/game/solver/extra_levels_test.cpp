// The game's own extra levels (data/levels/extra): each reads, is named, can
// be won by a new game's crew, and each is harder than the one before: a
// dearer and longer way round, stones on it from the second, and on the last
// not iron enough without the mine.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "game/generator/level_quality.h"
#include "game/rules/level_reader.h"
#include "game/solver/cheapest_iron.h"
#include "game/solver/solution.h"

namespace {

const char* const kExtraLevels[] = {"01-gentle-bend.level", "02-stony-pass.level", "03-deep-seam.level"};

struct Solved {
  LevelLayout layout;
  LevelSolution solution;
};

std::vector<Solved> SolveExtraLevels() {
  std::vector<Solved> solved;
  for (const char* name : kExtraLevels) {
    Solved s;
    std::string error;
    EXPECT_TRUE(LoadLevelFile(std::string(TARVEX_DATA_DIR) + "/levels/extra/" + name, s.layout, error)) << error;
    s.solution = SolveBoard(ReadBoard(s.layout), kNewGameWorkers);
    solved.push_back(s);
  }
  return solved;
}

TEST(ExtraLevels, EachReadsIsNamedAndCanBeWon) {
  std::set<std::string> names;
  for (const Solved& s : SolveExtraLevels()) {
    EXPECT_FALSE(s.layout.name.empty());
    EXPECT_TRUE(names.insert(s.layout.name).second) << "named apart: " << s.layout.name;
    EXPECT_TRUE(s.solution.winnable) << s.layout.name << ": " << s.solution.blockedBy;
    EXPECT_EQ(CheapestIronOf(s.layout), s.solution.ironCost) << s.layout.name;
  }
}

TEST(ExtraLevels, EachIsHarderThanTheOneBefore) {
  const std::vector<Solved> levels = SolveExtraLevels();
  for (std::size_t i = 1; i < levels.size(); ++i) {
    const Solved& before = levels[i - 1];
    const Solved& now = levels[i];
    EXPECT_GT(now.solution.ironCost, before.solution.ironCost) << now.layout.name;
    EXPECT_GT(DetourRatio(now.solution), DetourRatio(before.solution)) << now.layout.name;
    EXPECT_TRUE(StonesOnRoute(now.solution)) << now.layout.name;
  }
  const Solved& last = levels.back();
  ASSERT_TRUE(last.layout.hasMine);
  EXPECT_LT(last.layout.iron, last.solution.ironCost) << "the mine is needed";
  EXPECT_GE(last.layout.iron + last.layout.mineReserve, last.solution.ironCost);
}

}  // namespace
