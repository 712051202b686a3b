// Saving an edited level: only a winnable level, never over a file unasked,
// never outside the levels folder, and whole or not at all.
#include "game/session/level_saving.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "game/editor/level_edit.h"
#include "game/editor/level_file_name.h"
#include "game/editor/level_verdict.h"
#include "game/rules/layout_equal.h"
#include "game/rules/level_reader.h"
#include "tests/game/temp_folder.h"
#include "tests/game/text_files.h"

namespace {

std::set<std::string> Entries(const std::string& folder) {
  std::set<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* e = readdir(dir)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.insert(name);
    }
    closedir(dir);
  }
  return names;
}

class LevelSavingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(root.empty()); }

  static LevelLayout Named(const std::string& name) {
    LevelLayout level = EmptyLevel();
    level.name = name;  // as any caller might, past the panel's rule
    return level;
  }

  TempFolder temp{"level_saving"};
  const std::string& root = temp.Path();
  const std::string levels = root + "/state/levels/";
};

TEST_F(LevelSavingTest, HostileNamesLandInsideTheFolderUnderASafeName) {
  const std::string names[] = {"../../escape", "/etc/passwd", "..", ".", "", "a\x01\x02\nb\x1b",
                               std::string(10000, 'z'), "\xC3\x9C\xC3\xB1\xC3\xAF", "Plain Name"};
  for (const std::string& name : names) {
    const SaveResult saved = SaveEditedLevel(levels, Named(name), true);
    ASSERT_EQ(saved.outcome, SaveOutcome::Saved) << saved.message;
    // The name as the panel would have kept it, in the file and its name.
    LevelLayout expected = Named("");
    SetLevelName(expected, name);
    EXPECT_EQ(saved.path, levels + LevelFileName(expected.name));
    LevelLayout back;
    std::string error;
    ASSERT_TRUE(LoadLevelFile(saved.path, back, error)) << error;
    EXPECT_TRUE(back == expected) << name.substr(0, 40);
  }
  EXPECT_EQ(Entries(root), std::set<std::string>{"state"});
  EXPECT_EQ(Entries(root + "/state"), std::set<std::string>{"levels"});
  EXPECT_EQ(Entries(levels), (std::set<std::string>{"escape.level", "etc-passwd.level", "level.level", "new-level.level",
                                                    "ab.level", std::string(32, 'z') + ".level", "plain-name.level"}));
}

TEST_F(LevelSavingTest, SavingOverAFileIsRefusedUntilAskedAndReadsBackEqual) {
  LevelLayout first = Named("Twice");
  const SaveResult saved = SaveEditedLevel(levels, first, false);
  ASSERT_EQ(saved.outcome, SaveOutcome::Saved) << saved.message;
  const std::string written = ReadTextFile(saved.path);

  LevelLayout second = first;
  SetStartIron(second, 5000);
  const SaveResult refused = SaveEditedLevel(levels, second, false);
  EXPECT_EQ(refused.outcome, SaveOutcome::AlreadyThere);
  EXPECT_EQ(refused.path, saved.path);
  EXPECT_EQ(ReadTextFile(saved.path), written);

  ASSERT_EQ(SaveEditedLevel(levels, second, true).outcome, SaveOutcome::Saved);
  LevelLayout back;
  std::string error;
  ASSERT_TRUE(LoadLevelFile(saved.path, back, error)) << error;
  EXPECT_TRUE(back == second);
  EXPECT_EQ(Entries(levels), std::set<std::string>{"twice.level"});
}

TEST_F(LevelSavingTest, AnUnwinnableLevelIsRefusedWithTheVerdict) {
  LevelLayout poor = Named("Poor");
  SetStartIron(poor, 0);
  const SaveResult refused = SaveEditedLevel(levels, poor, true);
  EXPECT_EQ(refused.outcome, SaveOutcome::NotWinnable);
  EXPECT_EQ(refused.message, JudgeLevel(poor).text);
  EXPECT_EQ(refused.message.rfind("No way: ", 0), 0u) << refused.message;
  EXPECT_TRUE(Entries(levels).empty());
}

// A disk that takes nothing: no file, no half-written one, no temporary.
class FullDisk : public HostFiles {
 public:
  std::size_t Write(const void*, std::size_t, std::FILE*) override { return 0; }
};

TEST_F(LevelSavingTest, AFailedWriteLeavesNothingBehind) {
  FullDisk disk;
  const SaveResult failed = SaveEditedLevel(levels, Named("Lost"), true, disk);
  EXPECT_EQ(failed.outcome, SaveOutcome::Failed);
  EXPECT_NE(failed.message.find("lost.level"), std::string::npos) << failed.message;
  EXPECT_TRUE(Entries(levels).empty());
}

}  // namespace
