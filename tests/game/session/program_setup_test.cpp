// What the program settles before the game starts: its options, its folders,
// and stopping with a clear line when a data file does not load.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "game/views/data_files.h"
#include "game/session/folders.h"
#include "game/session/options.h"
#include "host/files.h"

namespace {

bool Parse(std::vector<std::string> words, GameOptions* options, std::string* error) {
  std::vector<char*> argv{const_cast<char*>("rails-against-time")};
  for (std::string& w : words) argv.push_back(w.data());
  return ParseGameOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(Options, HelpAndPrintLevelAreUnderstoodAndAnythingElseIsRefused) {
  GameOptions options;
  std::string error;
  EXPECT_TRUE(Parse({}, &options, &error));
  EXPECT_FALSE(options.help);
  EXPECT_EQ(options.printLevel, 0);
  EXPECT_TRUE(Parse({"--help"}, &options, &error));
  EXPECT_TRUE(options.help);
  EXPECT_TRUE(Parse({"--print-level", "15"}, &options, &error));
  EXPECT_EQ(options.printLevel, 15);
  // Anything but a number is a level file, read when the option runs.
  GameOptions file;
  EXPECT_TRUE(Parse({"--print-level", "3x"}, &file, &error));
  EXPECT_EQ(file.printLevel, 0);
  EXPECT_EQ(file.printLevelFile, "3x");
  EXPECT_TRUE(Parse({"--check-level", "levels/a.level"}, &file, &error));
  EXPECT_EQ(file.checkLevelFile, "levels/a.level");
  for (auto bad : std::vector<std::vector<std::string>>{
           {"--print-level"}, {"--print-level", "0"}, {"--print-level", "16"}, {"--print-level", "99999999999"},
           {"--print-level", ""}, {"--check-level"}, {"--check-level", ""}, {"-h"}, {"play"}}) {
    GameOptions fresh;
    error.clear();
    EXPECT_FALSE(Parse(bad, &fresh, &error)) << bad[0];
    EXPECT_FALSE(error.empty());
  }
  EXPECT_NE(GameUsage().find("--print-level N|FILE"), std::string::npos);
  EXPECT_NE(GameUsage().find("--check-level FILE"), std::string::npos);
}

TEST(Options, PlayLevelTakesAFileAndGoesAlone) {
  GameOptions options;
  std::string error;
  EXPECT_TRUE(Parse({"--play-level", "mine.level"}, &options, &error));
  EXPECT_EQ(options.playLevelFile, "mine.level");
  for (auto bad : std::vector<std::vector<std::string>>{
           {"--play-level"}, {"--play-level", "a", "--replay", "b"}, {"--record", "b", "--play-level", "a"}}) {
    GameOptions fresh;
    error.clear();
    EXPECT_FALSE(Parse(bad, &fresh, &error)) << bad.size();
    EXPECT_FALSE(error.empty());
  }
  EXPECT_NE(GameUsage().find("--play-level FILE"), std::string::npos);
}

std::set<std::string> existingFolders;
bool FakeIsFolder(const std::string& path) { return existingFolders.count(path) != 0; }

TEST(Folders, TheRepositoryBuildUsesTheWorkingFolder) {
  existingFolders = {};
  const GameFolders f = ChooseGameFolders({"/work/build/game", "/x", "/home/p", FakeIsFolder});
  EXPECT_FALSE(f.installed);
  EXPECT_EQ(f.data, "./data/");
  EXPECT_EQ(f.state, "./");
  EXPECT_EQ(ChooseGameFolders({"", "/x", "/home/p", FakeIsFolder}).data, "./data/");
}

TEST(Folders, AnInstalledGameReadsItsDataBesideItAndKeepsItsStateInTheUsersDataFolder) {
  existingFolders = {"/opt/rat/bin/../share/rails-against-time/data"};
  GameFolders f = ChooseGameFolders({"/opt/rat/bin", nullptr, "/home/p", FakeIsFolder});
  EXPECT_TRUE(f.installed);
  EXPECT_EQ(f.data, "/opt/rat/bin/../share/rails-against-time/data/");
  EXPECT_EQ(f.state, "/home/p/.local/share/rails-against-time/");
  f = ChooseGameFolders({"/opt/rat/bin", "/var/xdg/", "/home/p", FakeIsFolder});
  EXPECT_EQ(f.state, "/var/xdg/rails-against-time/");
  // A relative or empty XDG_DATA_HOME does not count.
  for (const char* ignored : {"", "rel/dir"}) {
    EXPECT_EQ(ChooseGameFolders({"/opt/rat/bin", ignored, "/home/p", FakeIsFolder}).state,
              "/home/p/.local/share/rails-against-time/");
  }
  EXPECT_EQ(ChooseGameFolders({"/opt/rat/bin", nullptr, nullptr, FakeIsFolder}).state, "./");
}

TEST(Folders, TheStateFolderIsCreatedWithItsParents) {
  char pattern[] = "/tmp/tarvex-folders-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  EXPECT_TRUE(UseGameFolders({root + "/data/", root + "/a/b/rails-against-time/", true}));
  EXPECT_EQ(access((root + "/a/b/rails-against-time").c_str(), W_OK), 0);
  EXPECT_EQ(StateFilePath(), root + "/a/b/rails-against-time/.tarvexstate");
  EXPECT_EQ(DataFolder(), root + "/data/");
  UseGameFolders({"./data/", "./", false});
  EXPECT_EQ(StateFilePath(), "./.tarvexstate");
  std::system(("rm -rf '" + root + "'").c_str());
}

TEST(DataFiles, AFileThatDoesNotLoadStopsTheProgramWithOneLineNamingItAndTheFolder) {
  SetDataFolder("/nowhere/data/");
  EXPECT_EQ(MissingDataMessage(String("game/msgPause.png")),
            String("Cannot load the data file \"game/msgPause.png\" from the data folder \"/nowhere/data/\""));
  EXPECT_EXIT(
      {
        dup2(2, 1);  // the line goes to standard output
        LoadGameImage(String("game/msgPause.png"));
      },
      ::testing::ExitedWithCode(kMissingDataStatus),
      "^Cannot load the data file \"game/msgPause.png\" from the data folder \"/nowhere/data/\"\n$");
  SetDataFolder("./data/");
}

}  // namespace
