// The kept replays played by the program itself, headless: the scripted
// campaign wins all fifteen levels and ends on the end picture; the lost level
// ends in a crash; the keys-only run wins the first level. And the scripted
// player, run again, writes the very same files, byte for byte.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

const std::string kReplays = TARVEX_REPLAYS_DIR;

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

struct Ran {
  int status = -1;
  std::string out, err;
  std::string LastLine() const {
    std::string text = out;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    const std::size_t feed = text.rfind('\n');
    return feed == std::string::npos ? text : text.substr(feed + 1);
  }
};

// "screen=4 level=15 ..." as a map of its fields.
std::map<std::string, std::string> Fields(const std::string& line) {
  std::map<std::string, std::string> fields;
  std::istringstream words(line);
  std::string word;
  while (words >> word) {
    const std::size_t eq = word.find('=');
    if (eq != std::string::npos) fields[word.substr(0, eq)] = word.substr(eq + 1);
  }
  return fields;
}

// The time the replay's "end" line names.
std::string EndTime(const std::string& replay) {
  const std::size_t at = replay.rfind("\nend ");
  if (at == std::string::npos) return "";
  std::string time = replay.substr(at + 5);
  while (!time.empty() && (time.back() == '\n' || time.back() == '\r')) time.pop_back();
  return time;
}

class KeptReplays : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/kept_replaysXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    folder = dir;
  }
  void TearDown() override { std::system(("rm -rf " + folder).c_str()); }

  // Runs a command in the scratch folder, with no display and no sound device named.
  Ran Command(const std::string& command) {
    const int raw = std::system(("cd " + folder + " && env -u DISPLAY -u ALSOFT_DRIVERS " + command +
                                 " > out 2> err").c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(folder + "/out"), ReadAll(folder + "/err")};
  }
  Ran Replay(const std::string& path) { return Command(std::string(TARVEX_GAME_EXE) + " --replay " + path + " --headless"); }

  std::string folder;
};

TEST_F(KeptReplays, TheCampaignWinsEveryLevelAndEndsOnTheEndPicture) {
  const std::string path = kReplays + "/campaign.replay";
  const Ran run = Replay(path);
  ASSERT_EQ(run.status, 0) << run.err;
  const auto end = Fields(run.LastLine());
  EXPECT_EQ(end.at("screen"), "4") << run.LastLine();
  EXPECT_EQ(end.at("level"), "15");
  EXPECT_EQ(end.at("states"), std::string(15, '1'));
  EXPECT_EQ(end.at("workers"), "5");
  // Every level's send-off bonus at least.
  EXPECT_GE(std::stoi(end.at("score")), 15 * 500);
  // The replay was played to its last update.
  EXPECT_EQ(end.at("time"), EndTime(ReadAll(path)));
  // No train crashed on the way.
  EXPECT_EQ(run.out.find("boom"), std::string::npos);
}

TEST_F(KeptReplays, TheLostLevelCrashesItsTrainAndLeavesForTheMenu) {
  const Ran run = Replay(kReplays + "/lost_level.replay");
  ASSERT_EQ(run.status, 0) << run.err;
  // The crash says so on the way; its failed panel's menu button (a click that
  // does nothing on a board still in play) then leads to the menu, the first
  // level still open.
  EXPECT_NE(run.out.find("boom\n"), std::string::npos) << run.out;
  const auto end = Fields(run.LastLine());
  EXPECT_EQ(end.at("screen"), "1") << run.LastLine();
  EXPECT_EQ(end.at("level"), "1");
  EXPECT_EQ(end.at("score"), "0");
  EXPECT_EQ(end.at("states"), "2" + std::string(14, '0'));
}

// The keyboard alone plays a new game from the logo through the first level
// and its won panel to the map of the second; the file holds keys only.
TEST_F(KeptReplays, TheKeysOnlyReplayWinsTheFirstLevelWithoutThePointer) {
  const std::string path = kReplays + "/keys_only.replay";
  const std::string text = ReadAll(path);
  ASSERT_FALSE(text.empty());
  std::istringstream lines(text);
  std::string line;
  int keys = 0;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string time, kind;
    words >> time >> kind;
    EXPECT_TRUE(kind != "move" && kind != "down" && kind != "up" && kind != "click") << line;
    if (kind == "key") ++keys;
  }
  EXPECT_GT(keys, 20);
  const Ran run = Replay(path);
  ASSERT_EQ(run.status, 0) << run.err;
  const auto end = Fields(run.LastLine());
  EXPECT_EQ(end.at("screen"), "2") << run.LastLine();
  EXPECT_EQ(end.at("level"), "2");
  EXPECT_EQ(end.at("states"), "12" + std::string(13, '0'));
  EXPECT_EQ(end.at("time"), EndTime(text));

  const Ran made = Command(std::string(TARVEX_CAMPAIGN_EXE) + " --rules 1 --keys keys.replay");
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_TRUE(ReadAll(folder + "/keys.replay") == text)
      << "regenerate tests/replays/keys_only.replay with rails-campaign --keys";
}

// The scripted player is deterministic: it makes the kept files again, and
// the campaign it plays takes the detours it should.
TEST_F(KeptReplays, TheScriptedPlayerWritesTheKeptFilesAgain) {
  const Ran campaign = Command(std::string(TARVEX_CAMPAIGN_EXE) + " --rules 1 campaign.replay");
  ASSERT_EQ(campaign.status, 0) << campaign.err;
  EXPECT_TRUE(ReadAll(folder + "/campaign.replay") == ReadAll(kReplays + "/campaign.replay"))
      << "regenerate tests/replays/campaign.replay (see the README)";
  EXPECT_EQ(campaign.LastLine(), Replay(kReplays + "/campaign.replay").LastLine());
  // The quit level is played twice; enemies came and were clicked away.
  EXPECT_NE(campaign.err.find("level starts 16, quits 1, pause panels 2,"), std::string::npos) << campaign.err;
  EXPECT_EQ(campaign.err.find("enemy clicks 0,"), std::string::npos) << campaign.err;

  const Ran lost = Command(std::string(TARVEX_CAMPAIGN_EXE) + " --rules 1 --lost lost.replay");
  ASSERT_EQ(lost.status, 0) << lost.err;
  EXPECT_TRUE(ReadAll(folder + "/lost.replay") == ReadAll(kReplays + "/lost_level.replay"));
}

}  // namespace
