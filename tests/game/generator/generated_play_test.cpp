// Generated levels played through the real game, headless, by the scripted
// player's clicks of the solver's plan: the first seeds of each difficulty
// (rails-generated-play runs a thousand of each), and what the play reports
// when a level cannot be won.
#include "tools/campaign/generated_play.h"

#include <gtest/gtest.h>

#include <string>

#include "game/rules/layouts.h"

namespace {

constexpr Difficulty kDifficulties[] = {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard};
constexpr std::uint32_t kSeeds = 5;

TEST(GeneratedPlay, TheFirstSeedsOfEveryDifficultyAreWonByClicks) {
  for (Difficulty d : kDifficulties) {
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
      SCOPED_TRACE(std::string(DifficultyName(d)) + " seed " + std::to_string(seed));
      const GeneratedPlay p = PlayGeneratedLevel(seed, d);
      EXPECT_TRUE(p.play.won) << p.play.fault;
      EXPECT_GT(p.play.arrivalMs, 0);
      // Every click of the plan is taken when it is made, the level's first
      // (stones cleared at once) as well.
      EXPECT_EQ(p.play.repeatedClicks, 0);
      // Hard levels send both enemies; the player clicks them away on the way.
      if (d == Difficulty::Hard) {
        EXPECT_GT(p.play.enemyClicks, 0);
      }
    }
  }
}

// Level 1 without its pages, changed as each row says: what the play tells.
TEST(GeneratedPlay, ALevelThatCannotBeWonIsReportedWithWhatStoppedIt) {
  struct Case {
    const char* name;
    int iron;
    bool mine;
    const char* fault;  // words the fault holds; "" for a win
  };
  const Case cases[] = {
      {"iron enough", 2500, false, ""},
      {"no iron and no mine", 0, false, "the solver finds no way"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LevelLayout l = LevelLayoutOf(1);
    l.firstTutorialPage = kNoTutorial;
    l.iron = c.iron;
    l.hasMine = c.mine;
    const LevelPlayed played = PlayLevelApart(l);
    EXPECT_EQ(played.won, *c.fault == '\0');
    EXPECT_NE(played.fault.find(c.fault), std::string::npos) << played.fault;
  }
}

// The table names every seed that failed, in its difficulty's row and on a
// line of its own with the fault.
TEST(GeneratedPlay, TheTableNamesTheFailedSeeds) {
  auto play = [](std::uint32_t seed, Difficulty d, bool won, double ms) {
    GeneratedPlay p;
    p.seed = seed;
    p.difficulty = d;
    p.play.won = won;
    p.play.fault = won ? "" : "level 0: the train crashed";
    p.wallMs = ms;
    return p;
  };
  const std::string table = GeneratedPlayTable({play(1, Difficulty::Easy, true, 4), play(2, Difficulty::Easy, false, 9),
                                                play(3, Difficulty::Easy, true, 5), play(1, Difficulty::Hard, true, 7)});
  EXPECT_NE(table.find("| easy | 3 | 2 | 2 | 5.0, 9.0 |"), std::string::npos) << table;
  EXPECT_NE(table.find("| hard | 1 | 1 | none | 7.0, 7.0 |"), std::string::npos) << table;
  EXPECT_EQ(table.find("| medium |"), std::string::npos) << table;
  EXPECT_NE(table.find("\neasy seed 2: level 0: the train crashed\n"), std::string::npos) << table;
}

}  // namespace
