// The level file options run through the program itself, in a scratch folder:
// --print-level FILE against --print-level N, --check-level's verdicts and
// exit statuses, and the levels read from the data folder at start-up.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "game/rules/level_table.h"
#include "game/rules/state.h"
#include "game/solver/cheapest_iron.h"
#include "game/solver/solution.h"
#include "tests/game/text_files.h"

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

struct Ran {
  int status;
  std::string out, err;
};

class LevelFileOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/level_optionsXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    folder = dir;
  }
  void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }

  Ran Game(const std::string& arguments) {
    const std::string command =
        "cd '" + folder + "' && env -u DISPLAY " TARVEX_GAME_EXE " " + arguments + " > out 2> err";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadTextFile(folder + "/out"), ReadTextFile(folder + "/err")};
  }
  static std::string Level(int n) { return std::string(TARVEX_DATA_DIR) + "/levels/" + LevelFileName(n); }

  std::string folder;
};

TEST_F(LevelFileOptionsTest, AFilesBoardPrintsAsItsBuiltInLevelDoes) {
  for (int n = 1; n <= kLevelCount; ++n) {
    const Ran built = Game("--print-level " + std::to_string(n));
    const Ran file = Game("--print-level " + Level(n));
    EXPECT_EQ(built.status, 0);
    EXPECT_EQ(file.status, 0) << file.err;
    EXPECT_EQ(file.out, built.out) << "level " << n;
    EXPECT_EQ(file.out.size(), 9u * 14u);
  }
}

TEST_F(LevelFileOptionsTest, CheckLevelGivesTheSolversVerdictAndExitsZeroOnlyForAWinnableLevel) {
  const Ran won = Game("--check-level " + Level(6));
  EXPECT_EQ(won.status, 0) << won.err;
  const LevelSolution six = SolveLevel(6, kNewGameWorkers);
  EXPECT_NE(won.out.find("\"Wild West\" can be won by the 5 workers of a new game"), std::string::npos) << won.out;
  EXPECT_NE(won.out.find("Cheapest track: " + std::to_string(CheapestIron(6)) + " iron, " +
                         std::to_string(six.pieces.size()) + " pieces"),
            std::string::npos)
      << won.out;
  char arrival[32];
  std::snprintf(arrival, sizeof arrival, "arrives at %.1f s", six.plan.arrivalMs / 1000.0);
  EXPECT_NE(won.out.find(arrival), std::string::npos) << won.out;

  // Level 1 with no iron at all, and no mine to dig any.
  WriteTextFile(folder + "/poor.level", Replaced(ReadTextFile(Level(1)), "iron 2000", "iron 0"));
  const Ran poor = Game("--check-level poor.level");
  EXPECT_EQ(poor.status, 1);
  EXPECT_NE(poor.out.find("poor.level: \"First Station\" cannot be won by the 5 workers"), std::string::npos)
      << poor.out;

  // A fault: one line on the error stream, nothing else.
  WriteTextFile(folder + "/bad.level", Replaced(ReadTextFile(Level(2)), "tutorial 6", "tutorial 12"));
  for (const char* option : {"--check-level", "--print-level"}) {
    const Ran bad = Game(std::string(option) + " bad.level");
    EXPECT_EQ(bad.status, 1) << option;
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "bad.level:11:10: the tutorial's page 12 is out of range 0..11\n");
  }
  EXPECT_EQ(Game("--check-level nowhere.level").status, 1);
}

TEST_F(LevelFileOptionsTest, TheGameTakesItsLevelsFromItsDataFolder) {
  ASSERT_EQ(std::system(("mkdir -p '" + folder + "/data' && cp -r '" TARVEX_DATA_DIR "/levels' '" + folder +
                         "/data/'")
                            .c_str()),
            0);
  const std::string builtIn = Game("--print-level 1").out;
  // Level 1 without its pond at 2,2.
  const std::string first = folder + "/data/levels/01.level";
  WriteTextFile(first, Replaced(ReadTextFile(first), "..w..", "....."));
  const Ran changed = Game("--print-level 1");
  EXPECT_EQ(changed.status, 0) << changed.err;
  EXPECT_EQ(changed.out, Replaced(builtIn, "..#..", "....."));
  // A damaged file stops the program before anything starts, naming it.
  WriteTextFile(folder + "/data/levels/07.level", "rails-against-time level 1\nname Need Gold\n");
  const Ran stopped = Game("--print-level 1");
  EXPECT_EQ(stopped.status, 1);
  EXPECT_EQ(stopped.out, "");
  EXPECT_EQ(stopped.err, "./data/levels/07.level:2:1: no board: the file ends before its \"board\" line\n");
}

}  // namespace

// A generated level is a level file like any other: the same seed writes the
// same bytes, printed or into a file, and the solver wins it from the file.
TEST_F(LevelFileOptionsTest, GenerateMakesTheSameWinnableFileFromTheSameSeed) {
  for (const char* made : {"1 easy", "77 medium", "4000000000 hard", "5"}) {
    const std::string seed = std::string(made).substr(0, std::string(made).find(' '));
    const Ran written = Game(std::string("--generate ") + made + " made.level");
    ASSERT_EQ(written.status, 0) << made << written.err;
    const Ran printed = Game(std::string("--generate ") + made);
    EXPECT_EQ(printed.out, ReadTextFile(folder + "/made.level")) << made;
    EXPECT_NE(printed.out.find("# Generated from seed " + seed + ", "), std::string::npos) << printed.out;
    const Ran checked = Game("--check-level made.level");
    EXPECT_EQ(checked.status, 0) << made << checked.out << checked.err;
  }
}

TEST_F(LevelFileOptionsTest, DailyPrintsTheDaysLevelWithItsParAndRefusesOtherWords) {
  const Ran day = Game("--daily 2026-12-09");
  ASSERT_EQ(day.status, 0) << day.err;
  EXPECT_EQ(Game("--daily 2026-12-09").out, day.out);
  EXPECT_NE(day.out.find("# The daily line of 2026-12-09 (UTC)\n"), std::string::npos) << day.out;
  EXPECT_NE(day.out.find("\nname Daily line\n"), std::string::npos) << day.out;
  EXPECT_NE(day.out.find("# Par: "), std::string::npos);
  EXPECT_NE(Game("--daily 2026-12-10").out, day.out);
  struct Refused {
    const char* arguments;
    const char* says;
  };
  for (const Refused& r : {Refused{"--daily 2026-02-30", "YYYY-MM-DD"}, Refused{"--daily 2026-12-09 2026-12-10", "one date"},
                           Refused{"--generate 4294967296", "seed"}, Refused{"--generate 3 hard a b", "one file"}}) {
    const Ran ran = Game(r.arguments);
    EXPECT_EQ(ran.status, 2) << r.arguments;
    EXPECT_NE(ran.err.find(r.says), std::string::npos) << r.arguments << ": " << ran.err;
  }
}

// The daily levels of three fixed days, kept as files: a change to the
// generator that changes what a day plays shows here. (A change meant to do
// that writes them again with --daily DAY.)
TEST_F(LevelFileOptionsTest, TheDailyLevelsOfThreeKeptDaysAreMadeAgainByteForByte) {
  for (const char* day : {"2026-01-01", "2026-07-15", "2027-02-28"}) {
    const std::string kept = ReadTextFile(std::string(TARVEX_REPLAYS_DIR) + "/../daily/" + day + ".level");
    ASSERT_FALSE(kept.empty()) << day;
    EXPECT_EQ(Game(std::string("--daily ") + day).out, kept) << "tests/daily/" << day << ".level";
  }
}
