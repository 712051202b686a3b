// The page of custom levels through the game's own input: reached from the
// map's corner, its rows (the game's extra levels, then the player's files),
// Play and back to the page with the win kept by the level's content, Delete
// asking first, Edit handing over the chosen level, a random level of the
// chosen difficulty played and saved, the keys, and a folder of hostile
// files that leaves the page working.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "game/generator/level_quality.h"
#include "game/rules/layout_equal.h"
#include "game/rules/level_reader.h"
#include "game/rules/level_writer.h"
#include "game/session/custom_records_file.h"
#include "game/session/level_listing.h"
#include "host/files.h"
#include "tests/game/main_game_fixture.h"
#include "tests/game/rules_version_scope.h"
#include "tests/game/text_files.h"

namespace {

constexpr int kGlfwEnter = 257, kGlfwTab = 258, kGlfwDown = 264, kGlfwUp = 265, kGlfwPageDown = 267;
constexpr int kExtraLevelCount = 3;

class LevelListPage : public MainGameFixture {
 protected:
  void SetUp() override {
    MainGameFixture::SetUp();
    dataBefore = DataFolder();
    SetDataFolder(std::string(TARVEX_DATA_DIR) + "/");
    players = folder + "levels/";
    mkdir(players.c_str(), 0755);
  }
  void TearDown() override {
    SetDataFolder(dataBefore);
    MainGameFixture::TearDown();
  }

  void ClickBox(const HitBox& box) { Click((box.left + box.right) / 2, (box.top + box.bottom) / 2); }
  void ClickSlot(ListAction action) {
    const auto actions = Page().Actions();
    for (int i = 0; i < kListActionSlots; ++i) {
      if (actions[i] == action) return ClickBox(kListActionSlot[i]);
    }
    FAIL() << "no button " << ListActionName(action);
  }
  // The page from a new game's map, with the player's files as they are.
  void OpenFromMap() {
    Start();
    ToMap(true);
    ClickBox(kLevelListCorner);
  }
  // Selects the listed file by a click on its row (scrolled into view first).
  void SelectFile(const std::string& fileName) {
    for (int i = 0; i < Page().RowCount(); ++i) {
      if (Page().listing.rows[i].fileName != fileName) continue;
      while (i >= Page().firstShown + kListRowsShown) ClickBox(kListScrollDown);
      return ClickBox(ListRowBox(i - Page().firstShown));
    }
    FAIL() << fileName << " is not listed";
  }
  void WritePlayersLevel(const std::string& fileName, const std::string& text) {
    WriteTextFile(players + fileName, text);
  }
  c_cLevelList& Page() const { return *app->levelList; }

  std::string dataBefore, players;
};

TEST_F(LevelListPage, TheMapsCornerIsNoWayInUnderTheFirstRules) {
  RulesVersionScope first(1);
  OpenFromMap();
  EXPECT_EQ(app->screen, ScreenScenarioMap);
}

TEST_F(LevelListPage, ListsTheGamesExtraLevelsThenThePlayersAndBackGoesToTheMap) {
  WritePlayersLevel("mine.level", WriteLevelText(LevelLayoutOf(2)));
  WritePlayersLevel("broken.level", "rails-against-time level 1\nname Half\n");
  OpenFromMap();
  ASSERT_EQ(app->screen, ScreenLevelList);
  ASSERT_EQ(Page().RowCount(), kExtraLevelCount + 2);
  const std::string names[] = {"Gentle Bend", "Stony Pass", "Deep Seam", "broken.level", LevelLayoutOf(2).name};
  const bool own[] = {false, false, false, true, true};
  for (int i = 0; i < Page().RowCount(); ++i) {
    EXPECT_EQ(Page().listing.rows[i].ShownName(), names[i]) << i;
    EXPECT_EQ(Page().listing.rows[i].playersOwn, own[i]) << i;
  }
  EXPECT_FALSE(Page().listing.rows[3].readable);
  EXPECT_NE(Page().listing.rows[3].reason.find("broken.level:"), std::string::npos);
  for (int i : {0, 1, 2, 4}) EXPECT_GT(Page().listing.rows[i].cheapestIron, 0) << "worked out for the rows in view";
  SelectFile("broken.level");
  EXPECT_EQ(Page().line, Page().listing.rows[3].reason) << "the reason of a selected bad file is told";
  EXPECT_EQ(Page().Actions()[0], ListAction::None) << "a file that does not read cannot be played";
  ClickBox(kListBackButton);
  EXPECT_EQ(app->screen, ScreenScenarioMap);
}

TEST_F(LevelListPage, APlayedLevelLeadsBackToThePageWithItsWinKeptByItsContent) {
  const std::string text = WriteLevelText(LevelLayoutOf(1));
  WritePlayersLevel("first.level", text);
  OpenFromMap();
  SelectFile("first.level");
  ClickSlot(ListAction::Play);
  ASSERT_EQ(app->screen, ScreenPlaying);
  EXPECT_TRUE(app->CustomMatch());
  EXPECT_TRUE(Played().layout == LevelLayoutOf(1));
  ReadTutorialAway();
  LayTrackAndDepart();
  RunUntil(Played().run.trainArrived);
  ASSERT_EQ(Played().run.trainArrived, 1);
  Update();
  const CustomRecords records = LoadCustomRecords();
  const CustomRecord* kept = records.Of(LevelContentKey(text));
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->bestScore, Played().run.levelScore);
  EXPECT_EQ(kept->fastestSeconds, app->LevelSeconds());
  EXPECT_EQ(gameState.progress.totalScore, 0) << "nothing of the campaign";
  Key(kGlfwEscape);
  ASSERT_EQ(app->screen, ScreenLevelList);
  EXPECT_NE(Page().records.Of(LevelContentKey(text)), nullptr) << "the page shows the new record";
  // The same level changed starts fresh.
  std::string changed = text;
  changed.replace(changed.find("iron "), 5, "iron 1");
  WritePlayersLevel("first.level", changed);
  ClickBox(kListBackButton);
  ClickBox(kLevelListCorner);
  EXPECT_EQ(Page().records.Of(Page().listing.rows[kExtraLevelCount].contentKey), nullptr);
}

TEST_F(LevelListPage, DeleteAsksFirstAndOnlyForThePlayersOwnFiles) {
  WritePlayersLevel("gone.level", WriteLevelText(LevelLayoutOf(4)));
  WritePlayersLevel("kept.level", WriteLevelText(LevelLayoutOf(6)));
  OpenFromMap();
  SelectFile("01-gentle-bend.level");
  EXPECT_EQ(Page().Actions()[2], ListAction::None) << "the game's own levels are not deleted";
  ClickBox(kListActionSlot[2]);
  EXPECT_EQ(Page().part, ListPart::Rows);
  SelectFile("gone.level");
  struct Answer {
    ListAction action;
    bool fileStays;
  };
  for (const Answer answer : {Answer{ListAction::No, true}, Answer{ListAction::Yes, false}}) {
    ClickSlot(ListAction::Delete);
    EXPECT_EQ(Page().line, "Delete gone.level?");
    ClickSlot(answer.action);
    struct stat info {};
    EXPECT_EQ(stat((players + "gone.level").c_str(), &info) == 0, answer.fileStays);
    EXPECT_EQ(Page().RowCount(), kExtraLevelCount + (answer.fileStays ? 2 : 1));
    EXPECT_EQ(app->screen, ScreenLevelList);
  }
  EXPECT_EQ(Page().Selected()->fileName, "kept.level") << "the selection stays at its place in the list";
}

TEST_F(LevelListPage, EditOpensTheChosenLevelInTheEditorSavingBackOnlyToThePlayersOwnFile) {
  WritePlayersLevel("to-edit.level", WriteLevelText(LevelLayoutOf(9)));
  // The player's own file is saved back into itself; the game's own level
  // and a random one are new levels of the player's.
  const struct {
    const char* file;  // nullptr: a random level
    bool savesBack;
  } cases[] = {{"to-edit.level", true}, {"01-gentle-bend.level", false}, {nullptr, false}};
  OpenFromMap();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "random");
    // Back to the page as the menu's Levels sign asks.
    if (app->screen != ScreenLevelList) app->Act(ScreenRequest::ShowLevelList);
    LevelLayout expected;
    if (c.file != nullptr) {
      SelectFile(c.file);
      expected = Page().Selected()->layout;
    } else {
      ClickBox(kListRandomButton);
      ClickSlot(ListAction::Easy);
      expected = Page().randomLayout;
    }
    ClickSlot(ListAction::Edit);
    ASSERT_EQ(app->screen, ScreenEditor);
    EXPECT_TRUE(app->editor->Layout() == expected);
    EXPECT_EQ(app->editor->savesToPath, c.savesBack);
    EXPECT_EQ(app->editor->path, c.savesBack ? players + c.file : std::string());
  }
}

TEST_F(LevelListPage, ARandomLevelOfTheChosenDifficultyIsPlayedAndSaved) {
  OpenFromMap();
  const struct {
    ListAction button;
    Difficulty difficulty;
  } cases[] = {{ListAction::Easy, Difficulty::Easy}, {ListAction::Medium, Difficulty::Medium},
               {ListAction::Hard, Difficulty::Hard}};
  int saved = 0;
  for (const auto& c : cases) {
    ClickBox(kListRandomButton);
    ASSERT_EQ(Page().part, ListPart::ChooseRandom);
    ClickSlot(c.button);
    ASSERT_EQ(Page().part, ListPart::RandomMade);
    const LevelLayout made = Page().randomLayout;
    EXPECT_EQ(QualityFault(made, SolveBoard(ReadBoard(made), kNewGameWorkers), c.difficulty), "")
        << DifficultyName(c.difficulty);
    ClickSlot(ListAction::Play);
    ASSERT_EQ(app->screen, ScreenPlaying);
    EXPECT_TRUE(Played().layout == made);
    Key(kGlfwEscape);
    ASSERT_EQ(app->screen, ScreenLevelList);
    ClickSlot(ListAction::Save);
    ++saved;
    EXPECT_EQ(Page().RowCount(), kExtraLevelCount + saved);
    EXPECT_EQ(Page().line.rfind("Saved as ", 0), 0u) << Page().line;
    LevelLayout back;
    std::string error;
    const std::string path = players + Page().line.substr(9);
    ASSERT_TRUE(LoadLevelFile(path, back, error)) << error;
    EXPECT_EQ(LevelBoardRows(back), LevelBoardRows(made));
    EXPECT_EQ(back.name.rfind(made.name, 0), 0u) << "its own name, numbered if taken";
    ClickSlot(ListAction::Cancel);
    EXPECT_EQ(Page().part, ListPart::Rows);
  }
}

TEST_F(LevelListPage, TheKeysWalkTheRowsAndTheButtons) {
  Start();
  ToMap(true);
  // The map's buttons for the keys: Start, the shop, the daily line, the corner.
  for (int i = 0; i < 3; ++i) Key(kGlfwTab);
  Key(kGlfwEnter);
  ASSERT_EQ(app->screen, ScreenLevelList);
  ASSERT_EQ(Page().selected, 0);
  Key(kGlfwDown);
  Key(kGlfwDown);
  EXPECT_EQ(Page().selected, 2);
  Key(kGlfwUp);
  EXPECT_EQ(Page().selected, 1);
  // Tab round to "New random level", Enter presses it; Escape closes the
  // chooser, then the page.
  Key(kGlfwTab);
  Key(kGlfwTab);
  Key(kGlfwEnter);
  EXPECT_EQ(Page().part, ListPart::ChooseRandom);
  Key(kGlfwEscape);
  EXPECT_EQ(Page().part, ListPart::Rows);
  Key(kGlfwEscape);
  EXPECT_EQ(app->screen, ScreenScenarioMap);
}

TEST_F(LevelListPage, AFolderOfHostileFilesLeavesThePageWorking) {
  const int smallFiles = 10000;
  for (int i = 0; i < smallFiles; ++i) {
    WritePlayersLevel("f" + std::to_string(100000 + i) + ".level", WriteLevelText(LevelLayoutOf(1 + i % kLevelCount)));
  }
  WritePlayersLevel("a-truncated.level", WriteLevelText(LevelLayoutOf(5)).substr(0, 150));
  WritePlayersLevel("b-binary.level", std::string("\0\x01\x02\xff\xfe garbage \x80", 16));
  WritePlayersLevel("c-huge.level", std::string(5 * 1024 * 1024, 'o'));
  OpenFromMap();
  ASSERT_EQ(app->screen, ScreenLevelList);
  EXPECT_EQ(Page().RowCount(), kMostListedLevels);
  EXPECT_EQ(Page().listing.notListed, kExtraLevelCount + 3 + smallFiles - kMostListedLevels);
  const char* bad[] = {"a-truncated.level", "b-binary.level", "c-huge.level"};
  for (int i = 0; i < 3; ++i) {
    const ListedLevel& row = Page().listing.rows[kExtraLevelCount + i];
    EXPECT_EQ(row.fileName, bad[i]);
    EXPECT_FALSE(row.readable) << bad[i];
    EXPECT_FALSE(row.reason.empty()) << bad[i];
  }
  EXPECT_NE(Page().listing.rows[kExtraLevelCount + 2].reason.find("too big"), std::string::npos);
  for (int i = 0; i < 5; ++i) Key(kGlfwPageDown);
  EXPECT_EQ(Page().selected, 5 * kListRowsShown);
  EXPECT_GT(Page().firstShown, 0);
  EXPECT_GT(Page().listing.rows[Page().firstShown].cheapestIron, 0) << "the rows scrolled into view are worked out";
  ClickBox(kListScrollDown);
  EXPECT_EQ(Page().selected, 6 * kListRowsShown);
  Run(1000);
  EXPECT_EQ(app->screen, ScreenLevelList);
  ClickBox(kListBackButton);
  EXPECT_EQ(app->screen, ScreenScenarioMap);
}

}  // namespace
