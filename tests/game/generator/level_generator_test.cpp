#include "game/generator/level_generator.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/generator/level_quality.h"
#include "game/rules/level_reader.h"
#include "game/rules/level_writer.h"
#include "game/solver/solution_text.h"

namespace {

constexpr Difficulty kDifficulties[] = {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard};

// Everything a player would see or count, as text, to compare levels by.
std::string Describe(const LevelLayout& l) {
  std::string text = TrackBoardText(SolveBoard(ReadBoard(l), 5));
  text += " iron " + std::to_string(l.iron) + " reserve " + std::to_string(l.mineReserve) + " events " +
          std::to_string(l.banditsKind) + std::to_string(l.indigensKind);
  for (const SceneryPlacement& s : l.scenery) text += " " + std::to_string(s.kind);
  return text;
}

// What the generator hands out passes the checks again when solved afresh
// from the layout alone: the proof is the level's, not the generator's memory.
TEST(LevelGenerator, EveryLevelIsWinnableAndWorthPlaying) {
  for (Difficulty d : kDifficulties) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
      const GeneratedLevel g = GenerateLevel(seed, d);
      const LevelSolution again = SolveBoard(ReadBoard(g.layout), 5);
      EXPECT_EQ(QualityFault(g.layout, again, d), "") << DifficultyName(d) << " seed " << seed;
      EXPECT_EQ(again.ironCost, g.solution.ironCost);
      EXPECT_EQ(g.layout.firstTutorialPage, kNoTutorial);
      // A level file the reader takes back whole.
      LevelLayout read;
      std::string error;
      ASSERT_TRUE(ReadLevelText(WriteLevelText(g.layout), "made.level", read, error)) << error;
      EXPECT_EQ(WriteLevelText(read), WriteLevelText(g.layout));
    }
  }
}

TEST(LevelGenerator, SameSeedSameLevelOtherSeedsOtherLevels) {
  for (Difficulty d : kDifficulties) {
    std::set<std::string> boards;
    for (std::uint32_t seed = 100; seed < 130; ++seed) {
      const std::string first = Describe(GenerateLevel(seed, d).layout);
      EXPECT_EQ(Describe(GenerateLevel(seed, d).layout), first);
      boards.insert(first);
    }
    EXPECT_EQ(boards.size(), 30u) << DifficultyName(d);
  }
}

TEST(LevelGenerator, HardLevelsNeedTheMine) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    const GeneratedLevel g = GenerateLevel(seed, Difficulty::Hard);
    ASSERT_TRUE(g.layout.hasMine);
    EXPECT_LT(g.layout.iron, g.solution.ironCost);
    EXPECT_GE(g.layout.banditsKind + g.layout.indigensKind, 2);
  }
}

// A forest on a free cell away from the route with nothing around it.
SceneryPlacement LoneForest(const LevelLayout& l) {
  const LevelSolution s = SolveBoard(ReadBoard(l), 5);
  auto onRoute = [&](int x, int y) {
    for (const RouteStep& step : s.route.steps) {
      if (step.cell.x == x && step.cell.y == y) return true;
    }
    return false;
  };
  for (int x = 1; x < kColumns - 1; ++x) {
    for (int y = 1; y < kRows - 1; ++y) {
      bool open = !onRoute(x, y);
      for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) open = open && s.board.At(x + dx, y + dy) == Ground::Free;
      }
      if (open) return {2, x, y};
    }
  }
  ADD_FAILURE() << "no open cell for a lone forest";
  return {2, 0, 0};
}

// The checks themselves: a good hard level spoiled one way at a time fails
// on that, and only that.
TEST(LevelQuality, NamesWhatSpoilsALevel) {
  const GeneratedLevel good = GenerateLevel(7, Difficulty::Hard);
  ASSERT_EQ(QualityFault(good.layout, good.solution, Difficulty::Hard), "");
  struct Spoil {
    const char* fault;
    void (*spoil)(LevelLayout&);
  };
  const Spoil spoils[] = {
      {"iron", [](LevelLayout& l) { l.iron = 100000; }},
      {"iron", [](LevelLayout& l) { l.mineReserve = 100000; }},
      {"ponds", [](LevelLayout& l) {
         l.scenery.push_back({0, 12, 0});
         l.scenery.push_back({0, 11, 0});
       }},
      {"walled", [](LevelLayout& l) {
         for (int y = 0; y < 6; ++y) l.scenery.push_back({2, 12, y});
       }},
      {"forests", [](LevelLayout& l) { l.scenery.push_back(LoneForest(l)); }},
      {"not winnable", [](LevelLayout& l) {
         for (int y = 0; y < kRows; ++y) l.scenery.push_back({2, 11, y});
       }},
  };
  for (const Spoil& s : spoils) {
    LevelLayout l = good.layout;
    s.spoil(l);
    const std::string fault = QualityFault(l, SolveBoard(ReadBoard(l), 5), Difficulty::Hard);
    EXPECT_EQ(fault.rfind(s.fault, 0), 0u) << "expected " << s.fault << ", got: " << fault;
  }
}

TEST(LevelQuality, AStraightRunIsNoMediumLevel) {
  const LevelLayout open = GenerateLevel(3, Difficulty::Easy).layout;
  LevelLayout flat = open;
  flat.scenery.clear();
  flat.stones.clear();
  flat.start = {0, 4};
  flat.finish = {12, 4};
  EXPECT_EQ(QualityFault(flat, SolveBoard(ReadBoard(flat), 5), Difficulty::Medium).rfind("no detour", 0), 0u);
  EXPECT_EQ(QualityFault(flat, SolveBoard(ReadBoard(flat), 5), Difficulty::Easy).rfind("no bends", 0), 0u);
}

}  // namespace
