// --edit-level on the command line: what it takes and what it refuses, and a
// file that does not read stops the program with the reader's line and
// status 1 before any window opens, as --play-level does.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "game/session/options.h"
#include "tests/game/text_files.h"

namespace {

struct OptionCase {
  std::vector<std::string> words;
  bool accepted;
  const char* file;  // what editLevelFile holds when accepted
};

TEST(EditLevelOption, TakesOneFileAndGoesAlone) {
  const OptionCase cases[] = {
      {{"--edit-level", "a.level"}, true, "a.level"},
      {{"--edit-level"}, false, ""},
      {{"--edit-level", ""}, false, ""},
      {{"--edit-level", "a.level", "--play-level", "b.level"}, false, ""},
      {{"--edit-level", "a.level", "--record", "r.replay"}, false, ""},
      {{"--replay", "r.replay", "--edit-level", "a.level"}, false, ""},
  };
  for (const OptionCase& c : cases) {
    std::vector<char*> argv{const_cast<char*>("rails-against-time")};
    for (const std::string& w : c.words) argv.push_back(const_cast<char*>(w.c_str()));
    GameOptions options;
    std::string error;
    const bool accepted = ParseGameOptions(static_cast<int>(argv.size()), argv.data(), &options, &error);
    EXPECT_EQ(accepted, c.accepted) << c.words[0] << " " << error;
    if (accepted) {
      EXPECT_EQ(options.editLevelFile, c.file);
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
  EXPECT_NE(GameUsage().find("--edit-level FILE"), std::string::npos);
}

TEST(EditLevelOption, AFileThatDoesNotReadStopsTheProgramWithTheReadersLine) {
  char dir[] = "/tmp/edit_levelXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string folder = dir;
  WriteTextFile(folder + "/bad.level", "rails-against-time level 1\nname Broken\nstart 0,4\nfinish banana\n");
  const std::string command =
      "cd '" + folder + "' && env -u DISPLAY " TARVEX_GAME_EXE " --edit-level bad.level > out 2> err";
  const int raw = std::system(command.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  EXPECT_EQ(status, 1);
  const std::string err = ReadTextFile(folder + "/err");
  EXPECT_EQ(err.rfind("bad.level:4:", 0), 0u) << err;
  EXPECT_EQ(ReadTextFile(folder + "/bad.level").find("banana"), 56u) << "the file is left as it was";
  std::system(("rm -rf '" + folder + "'").c_str());
}

}  // namespace
