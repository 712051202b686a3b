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

// Every kept replay, the line it ends on, and how the scripted player makes
// it. The first release's replays play under its rules (version 1) and end
// where they always ended; those of the mended rules (version 2) show what
// the mends change: no pages on a retry, Escape skipping them, the menu
// starting on New Game, and a win kept however the won panel is left.
struct KeptReplay {
  const char* file;
  const char* scriptedArgs;  // rails-campaign's options that make it again
  const char* endLine;
};

const KeptReplay kKept[] = {
    {"campaign.replay", "--rules 1",
     "screen=4 level=15 score=49000 gold=2100 workers=5 time=2564033 states=111111111111111"},
    {"lost_level.replay", "--rules 1 --lost",
     "screen=1 level=1 score=0 gold=0 workers=5 time=3833 states=200000000000000"},
    {"keys_only.replay", "--rules 1 --keys",
     "screen=2 level=2 score=2000 gold=0 workers=5 time=46466 states=120000000000000"},
    {"campaign2.replay", "", "screen=4 level=15 score=49000 gold=2100 workers=5 time=2559166 states=111111111111111"},
    {"lost_level2.replay", "--lost", "screen=1 level=1 score=0 gold=0 workers=5 time=3833 states=200000000000000"},
    {"keys_only2.replay", "--keys", "screen=2 level=2 score=2000 gold=0 workers=5 time=46299 states=120000000000000"},
    // Won, then Menu on the won panel: level 1 done, level 2 open, its score kept.
    {"win_then_menu.replay", "--win-menu",
     "screen=1 level=2 score=2000 gold=0 workers=5 time=46399 states=120000000000000"},
    // Won, Retry, then quit from the pause panel: the same.
    {"win_retry_quit.replay", "--win-retry-quit",
     "screen=1 level=2 score=2000 gold=0 workers=5 time=48433 states=120000000000000"},
    // Won for 1500 (the train left on its own), then again from the map for
    // 2000: the totals hold 2000, not 3500.
    {"win_twice.replay", "--win-twice",
     "screen=1 level=2 score=2000 gold=0 workers=5 time=370733 states=120000000000000"},
    // The settings from the menu and the pause panel, both sliders, the train
    // sent with G bound in place of T, the keys reset; the train crashes.
    {"settings.replay", "--settings", "screen=1 level=1 score=0 gold=0 workers=5 time=11399 states=200000000000000"},
    // The editor from the menu: a small level built, played to a win (which
    // counts for nothing), an edit undone and the level saved, then found on
    // the page of custom levels and opened from there in the editor again.
    {"editor.replay", "--editor", "screen=5 level=1 score=0 gold=0 workers=5 time=56533 states=200000000000000"},
    // A level of no iron: its save refused with the verdict, leaving asked.
    {"editor_refused.replay", "--editor-refused",
     "screen=1 level=1 score=0 gold=0 workers=5 time=11433 states=200000000000000"},
};

class KeptReplayLines : public KeptReplays, public ::testing::WithParamInterface<KeptReplay> {};

TEST_P(KeptReplayLines, EndsOnItsRecordedLineAndTheScriptedPlayerMakesItAgain) {
  const KeptReplay& kept = GetParam();
  const std::string path = kReplays + "/" + kept.file;
  const std::string text = ReadAll(path);
  ASSERT_FALSE(text.empty()) << path;
  const Ran run = Replay(path);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.LastLine(), kept.endLine);
  // Played to its last update.
  EXPECT_EQ(Fields(run.LastLine()).at("time"), EndTime(text));

  const Ran made = Command(std::string(TARVEX_CAMPAIGN_EXE) + " " + kept.scriptedArgs + " made.replay");
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_TRUE(ReadAll(folder + "/made.replay") == text)
      << "regenerate tests/replays/" << kept.file << " with rails-campaign " << kept.scriptedArgs;
  EXPECT_EQ(made.LastLine(), kept.endLine);
}

INSTANTIATE_TEST_SUITE_P(Kept, KeptReplayLines, ::testing::ValuesIn(kKept));

// The daily line from a saved game with five days played: the scripted
// player wins the day's level and leaves the campaign as it was, and its
// replay plays back to the same line.
TEST_F(KeptReplays, TheDailyLineFromASavedGamePlaysBackToTheLineItWasMadeWith) {
  std::ofstream(folder + "/state", std::ios::binary)
      << "TVXDATA\t2\tdaily.sav\t31\t5\t19670\t1450\t66\t2350\t1\t0\t19671\t1200\t81\t2900\t0\t0\t19672\t1600"
         "\t62\t2200\t1\t0\t19673\t1500\t70\t2400\t1\t1\t19674\t1100\t95\t3100\t0\t0\ttrandle.sav\t21\t4\t5200"
         "\t600\t5\t0\t0\t1\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0";
  const Ran made = Command(std::string(TARVEX_CAMPAIGN_EXE) + " --daily-line --state state daily.replay");
  ASSERT_EQ(made.status, 0) << made.err;
  // Back on the map, the campaign's progress as it was.
  EXPECT_EQ(made.LastLine().compare(0, 37, "screen=2 level=4 score=5200 gold=600 "), 0) << made.LastLine();
  const Ran run = Replay("daily.replay");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.LastLine(), made.LastLine());
}

TEST_F(KeptReplays, TheCampaignsWinWithoutACrashAndTheLostLevelsCrash) {
  for (const char* file : {"campaign.replay", "campaign2.replay"}) {
    const Ran run = Replay(kReplays + "/" + file);
    EXPECT_EQ(run.out.find("boom"), std::string::npos) << file;
  }
  for (const char* file : {"lost_level.replay", "lost_level2.replay"}) {
    const Ran run = Replay(kReplays + "/" + file);
    EXPECT_NE(run.out.find("boom\n"), std::string::npos) << file;
  }
}

// The keyboard alone plays a new game from the logo through the first level
// and its won panel to the map of the second; the files hold keys only.
TEST_F(KeptReplays, TheKeysOnlyReplaysHoldNoPointerEvents) {
  for (const char* file : {"keys_only.replay", "keys_only2.replay"}) {
    std::istringstream lines(ReadAll(kReplays + "/" + file));
    std::string line;
    int keys = 0;
    while (std::getline(lines, line)) {
      std::istringstream words(line);
      std::string time, kind;
      words >> time >> kind;
      EXPECT_TRUE(kind != "move" && kind != "down" && kind != "up" && kind != "click") << file << ": " << line;
      if (kind == "key") ++keys;
    }
    EXPECT_GT(keys, 20) << file;
  }
}

// The campaign takes the detours it should: the quit level is played twice,
// enemies came and were clicked away.
TEST_F(KeptReplays, TheScriptedCampaignQuitsOnceAndMeetsEnemies) {
  const Ran campaign = Command(std::string(TARVEX_CAMPAIGN_EXE) + " campaign.replay");
  ASSERT_EQ(campaign.status, 0) << campaign.err;
  EXPECT_NE(campaign.err.find("level starts 16, quits 1, pause panels 2,"), std::string::npos) << campaign.err;
  EXPECT_EQ(campaign.err.find("enemy clicks 0,"), std::string::npos) << campaign.err;
  const Ran twice = Command(std::string(TARVEX_CAMPAIGN_EXE) + " --win-twice twice.replay");
  EXPECT_NE(twice.err.find("level starts 2,"), std::string::npos) << twice.err;
}

}  // namespace
