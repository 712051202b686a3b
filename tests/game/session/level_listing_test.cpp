// The files the page of custom levels lists and what it makes of each, and
// the player's levels folder as the page changes it: a random level kept
// under a name of its own, a file deleted, nothing outside the folder.
#include "game/session/level_listing.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "game/rules/layout_equal.h"
#include "game/rules/layouts.h"
#include "game/rules/level_reader.h"
#include "game/rules/level_writer.h"
#include "game/session/players_levels.h"
#include "tests/game/text_files.h"

namespace {

class LevelListing_ : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tarvex-listing-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = std::string(pattern) + "/";
    games = root + "games/";
    players = root + "players/";
    mkdir(games.c_str(), 0755);
    mkdir(players.c_str(), 0755);
  }
  void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }

  std::string root, games, players;
};

std::string ALevel() { return WriteLevelText(LevelLayoutOf(3)); }

TEST_F(LevelListing_, EachFileIsListedReadOrWithTheReadersReason) {
  struct Case {
    const char* name;
    std::string text;
    bool readable;
    const char* reasonHas;  // what the reason says, for a file that does not read
  };
  const Case cases[] = {
      {"a-good.level", ALevel(), true, ""},
      {"b-cut.level", ALevel().substr(0, 200), false, "b-cut.level:"},
      {"c-binary.level", std::string("\x7f" "ELF\0\x01\xff\xfe", 8), false, "c-binary.level:1:"},
      {"d-empty.level", "", false, "d-empty.level:"},
      {"e-huge.level", std::string(3 * 1024 * 1024, '.'), false, "too big"},
      {"f-just-over.level", std::string(kMostLevelFileBytes + 1, '#'), false, "too big"},
  };
  for (const Case& c : cases) WriteTextFile(players + c.name, c.text);
  WriteTextFile(players + "notes.txt", "not a level file name");
  mkdir((players + "folder.level").c_str(), 0755);

  const LevelListing listing = ListLevelFiles(games, players);
  ASSERT_EQ(listing.rows.size(), std::size(cases)) << "every *.level file, and only plain files";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const ListedLevel& row = listing.rows[i];
    EXPECT_EQ(row.fileName, c.name) << "sorted by name";
    EXPECT_EQ(row.path, players + c.name);
    EXPECT_TRUE(row.playersOwn);
    EXPECT_EQ(row.readable, c.readable) << c.name << ": " << row.reason;
    if (c.readable) {
      EXPECT_TRUE(row.layout == LevelLayoutOf(3));
      EXPECT_EQ(row.ShownName(), LevelLayoutOf(3).name);
      EXPECT_EQ(row.contentKey, LevelContentKey(c.text));
    } else {
      EXPECT_NE(row.reason.find(c.reasonHas), std::string::npos) << c.name << ": " << row.reason;
      EXPECT_EQ(row.reason.find('\n'), std::string::npos) << "one line";
      EXPECT_EQ(row.ShownName(), c.name);
    }
  }
}

TEST_F(LevelListing_, TheGamesOwnComeFirstAndAChangedLevelHasAnotherKey) {
  const std::string text = ALevel();
  std::string changed = text;
  changed.replace(changed.find("iron "), 5, "iron 1");
  WriteTextFile(games + "z-own.level", text);
  WriteTextFile(players + "a-mine.level", text);
  WriteTextFile(players + "b-mine.level", changed);
  const LevelListing listing = ListLevelFiles(games, players);
  ASSERT_EQ(listing.rows.size(), 3u);
  EXPECT_FALSE(listing.rows[0].playersOwn);
  EXPECT_EQ(listing.rows[0].fileName, "z-own.level");
  EXPECT_TRUE(listing.rows[1].playersOwn);
  EXPECT_EQ(listing.rows[0].contentKey, listing.rows[1].contentKey) << "the same text, the same records";
  ASSERT_TRUE(listing.rows[2].readable) << listing.rows[2].reason;
  EXPECT_NE(listing.rows[1].contentKey, listing.rows[2].contentKey) << "a changed level starts fresh";
}

TEST_F(LevelListing_, PastTheMostListedTheRestAreCounted) {
  const int files = kMostListedLevels + 37;
  for (int i = 0; i < files; ++i) WriteTextFile(players + std::to_string(10000 + i) + ".level", "x");
  const LevelListing listing = ListLevelFiles(games, players + "../missing/");
  EXPECT_TRUE(listing.rows.empty()) << "a missing folder lists nothing";
  const LevelListing full = ListLevelFiles(games, players);
  EXPECT_EQ(static_cast<int>(full.rows.size()), kMostListedLevels);
  EXPECT_EQ(full.notListed, 37);
  EXPECT_EQ(full.rows.front().fileName, "10000.level");
}

TEST_F(LevelListing_, AKeptLevelTakesAFreeNameAndReadsBackTheSame) {
  LevelLayout layout = LevelLayoutOf(7);
  const struct {
    std::string name;
    std::string file;
    std::string nameInFile;
  } saves[] = {
      {"High Flats", "high-flats.level", "High Flats"},
      {"High Flats", "high-flats-2.level", "High Flats 2"},
      {"High Flats", "high-flats-3.level", "High Flats 3"},
      {std::string(32, 'a'), std::string(32, 'a') + ".level", std::string(32, 'a')},
      {std::string(32, 'a'), std::string(30, 'a') + "-2.level", std::string(30, 'a') + " 2"},
  };
  for (const auto& save : saves) {
    layout.name = save.name;
    std::string error;
    const std::string path = SaveNewPlayersLevel(players + "new/", layout, error);
    EXPECT_EQ(path, players + "new/" + save.file) << error;
    LevelLayout back;
    ASSERT_TRUE(LoadLevelFile(path, back, error)) << error;
    LevelLayout expected = layout;
    expected.name = save.nameInFile;
    EXPECT_TRUE(back == expected) << back.name;
  }
}

TEST_F(LevelListing_, DeletingRemovesOnlyAFileOfTheFolder) {
  WriteTextFile(players + "mine.level", ALevel());
  WriteTextFile(games + "own.level", ALevel());
  EXPECT_FALSE(DeletePlayersLevel(players, games + "own.level"));
  EXPECT_FALSE(DeletePlayersLevel(players, players + "../games/own.level"));
  EXPECT_FALSE(DeletePlayersLevel(players, players));
  EXPECT_FALSE(DeletePlayersLevel(players, players + "missing.level"));
  EXPECT_TRUE(DeletePlayersLevel(players, players + "mine.level"));
  struct stat info {};
  EXPECT_NE(stat((players + "mine.level").c_str(), &info), 0);
  EXPECT_EQ(stat((games + "own.level").c_str(), &info), 0);
}

}  // namespace
