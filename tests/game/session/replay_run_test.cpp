// Replays through the whole program: a replay written by hand takes the game
// from the logo into a level, the same way every time, without touching the
// player's state file; a replay that carries a state starts from it; the game
// quitting by itself still gives the end line; refused files name their line.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

struct Outcome {
  int status;
  std::string out, err;
  // The last line of the output.
  std::string Last() const {
    std::string text = out;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
  }
};

class ReplayRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/replay_runXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    folder = dir;
  }
  void TearDown() override { std::system(("rm -rf " + folder).c_str()); }

  // Runs the game headless on the replay text, in the scratch folder, with no
  // display and no sound device named.
  Outcome Replay(const std::string& text, const std::string& name = "run.replay") {
    Write(folder + "/" + name, text);
    const std::string command = "cd " + folder + " && env -u DISPLAY -u ALSOFT_DRIVERS " TARVEX_GAME_EXE
                                " --replay " + name + " --headless > out 2> err";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(folder + "/out"), ReadAll(folder + "/err")};
  }

  std::string folder;
};

// From the logo through the title and a new game to the first level.
const std::string kIntoLevelOne =
    "rails-against-time replay 1\n"
    "3100 click 512 384\n"
    "3300 click 800 340\n"
    "3500 click 850 720\n"
    "calendar 1700000000\n"
    "5000 click 300 300\n"
    "end 8000\n";

TEST_F(ReplayRunTest, AHandWrittenReplayReachesTheSameEndEveryTimeAndLeavesTheStateFileAlone) {
  Write(folder + "/.tarvexstate", "the player's own");
  struct stat before {};
  ASSERT_EQ(stat((folder + "/.tarvexstate").c_str(), &before), 0);

  const Outcome first = Replay(kIntoLevelOne);
  const Outcome second = Replay(kIntoLevelOne);
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(first.Last(), second.Last());
  // The clicks took the game into level 1 of a new game.
  EXPECT_EQ(first.Last().compare(0, 16, "screen=3 level=1"), 0) << first.out;
  EXPECT_NE(first.Last().find(" workers=5 "), std::string::npos) << first.out;
  EXPECT_NE(first.Last().find(" states=200000000000000"), std::string::npos) << first.out;

  struct stat after {};
  ASSERT_EQ(stat((folder + "/.tarvexstate").c_str(), &after), 0);
  EXPECT_EQ(ReadAll(folder + "/.tarvexstate"), "the player's own");
  EXPECT_EQ(after.st_mtime, before.st_mtime);
  EXPECT_NE(access((folder + "/.tarvexstate.new").c_str(), F_OK), 0);
}

TEST_F(ReplayRunTest, WithoutItsClicksTheGameStaysOnTheTitle) {
  const Outcome idle = Replay("rails-against-time replay 1\nend 8000\n");
  EXPECT_EQ(idle.status, 0);
  EXPECT_EQ(idle.Last().compare(0, 9, "screen=0 "), 0) << idle.out;
  // Exactly one line of outcome.
  EXPECT_EQ(idle.out.find("screen="), idle.out.rfind("screen="));
}

TEST_F(ReplayRunTest, AReplayStartsFromTheStateItCarries) {
  // Three levels done, the fourth open, 7 workers, 900 score, 120 gold.
  const std::string state = "TVXDATA\t1\ttrandle.sav\t21\t4\t900\t120\t7\t0\t0\t1\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0";
  const Outcome carried = Replay("rails-against-time replay 1\nstate " + state +
                                 "\n3100 click 512 384\n"
                                 // the menu's "continue": right of x 667, y 178 to 259
                                 "3300 click 800 220\n"
                                 "end 4000\n");
  EXPECT_EQ(carried.status, 0) << carried.err;
  EXPECT_EQ(carried.Last(), "screen=2 level=4 score=900 gold=120 workers=7 time=3999 states=111200000000000");
}

// The bindings in force when a replay was recorded travel in its head, with
// the saved state it starts from: a replay made with "Send the train" on G
// sends it with G wherever it is played, and without them G does nothing.
TEST_F(ReplayRunTest, AReplayMadeWithChangedKeysPlaysTheSameWithTheDefaultOnes) {
  // settings.sav: layout 1, volumes, full screen, no window, the cues, then
  // the 23 keys with G (71) where T (84) was.
  const std::string keys = "38\t40\t37\t39\t13\t32\t9\t27\t71\t72\t83\t81\t69\t46\t8\t49\t50\t51\t52\t53\t54\t55\t56";
  const std::string settings = "TVXDATA\t1\tsettings.sav\t36\t1\t10\t10\t10\t10\t1\t0\t0\t0\t0\t1\t0\t23\t" + keys;
  const std::string play =
      "3100 click 512 384\n"
      "3300 click 800 340\n"
      "3500 click 850 720\n"
      "calendar 1700000000\n"
      // Escape skips the level's pages, G is pressed, and once the train has
      // crashed the failed panel's Menu is clicked.
      "4000 key 256 press\n4000 key 256 release\n"
      "4500 key 71 press\n4500 key 71 release\n"
      "11000 click 413 426\n"
      "end 12000\n";
  const Outcome withKeys = Replay("rails-against-time replay 2\nstate " + settings + "\n" + play);
  EXPECT_EQ(withKeys.status, 0) << withKeys.err;
  EXPECT_EQ(withKeys.Last().compare(0, 9, "screen=1 "), 0) << "G sent the train: " << withKeys.out;
  const Outcome without = Replay("rails-against-time replay 2\n" + play);
  EXPECT_EQ(without.Last().compare(0, 9, "screen=3 "), 0) << "G does nothing by default: " << without.out;
}

TEST_F(ReplayRunTest, TheGameQuittingItselfStillEndsWithTheLine) {
  // The menu's quit band: right of x 667, y 614 to 708.
  const Outcome quit =
      Replay("rails-against-time replay 1\n3100 click 512 384\n3300 click 800 650\nend 60000\n");
  EXPECT_EQ(quit.status, 0);
  EXPECT_EQ(quit.Last().compare(0, 9, "screen=1 "), 0) << quit.out;
  EXPECT_NE(quit.Last().find(" time=33"), std::string::npos) << quit.out;
}

TEST_F(ReplayRunTest, DamagedFilesAreRefusedNamingTheLine) {
  const struct {
    std::string text;
    const char* says;
  } cases[] = {
      {"rails-against-time replay 7\nend 0\n", "line 1: replay version 7"},
      {"a picture\n", "line 1: not a replay"},
      {"rails-against-time replay 1\n100 click 5 5\n", "line 2: the file stops before its end line"},
      {"rails-against-time replay 1\n100 click 5 5\n200 cl", "line 3: the file ends inside this line"},
      {"rails-against-time replay 1\n100 click 5000 5\nend 300\n", "line 2: bad position"},
      {"rails-against-time replay 1\n200 click 5 5\n100 click 5 5\nend 300\n", "line 3: time 100 is earlier"},
  };
  for (const auto& c : cases) {
    const Outcome refused = Replay(c.text);
    EXPECT_EQ(refused.status, 2) << c.text;
    EXPECT_NE(refused.err.find(c.says), std::string::npos) << c.text << " -> " << refused.err;
    EXPECT_EQ(refused.out.find("screen="), std::string::npos);
  }
  const Outcome missing = Replay("", "unused.replay");
  std::remove((folder + "/unused.replay").c_str());
  EXPECT_NE(missing.status, 0);
}

}  // namespace
