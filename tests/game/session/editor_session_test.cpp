// The level editor's ways out and back through the running game: Play and
// back with the level and its history as they were, Save refused with the
// verdict, written and read back to the same board, asking before it writes
// over a file, leaving asking first, and --edit-level's own file.
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "game/editor/level_edit.h"
#include "game/editor/level_file_name.h"
#include "game/rules/level_reader.h"
#include "game/screens/gui.h"
#include "tests/game/editor_fixture.h"

namespace {

class EditorSession : public EditorFixture {
 protected:
  // A small winnable level on the empty board, by clicks.
  void BuildSmallLevel() {
    Place(EditTool::Stones, {6, 4});
    Place(EditTool::Gold, {4, 4});
    Place(EditTool::Gold, {9, 2});
    ASSERT_TRUE(app->editor->verdict.winnable) << app->editor->verdict.text;
  }
  std::string SavedPath() const { return LevelsFolder() + LevelFileName(Edited().name); }
  static bool Exists(const std::string& path) {
    struct stat s;
    return stat(path.c_str(), &s) == 0;
  }
  // The file reads back to the level on the editor's board.
  void ExpectHoldsTheEditedLevel(const std::string& path) {
    LevelLayout read;
    std::string error;
    ASSERT_TRUE(LoadLevelFile(path, read, error)) << error << " / " << app->editor->message;
    EXPECT_EQ(read, Edited());
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(EditorSession, PlayTestsTheLevelAndEscapeComesBackWithItsHistory) {
  OpenEditorFromMenu();
  BuildSmallLevel();
  const LevelLayout built = Edited();
  ClickButton(EditorPlay);
  ASSERT_EQ(app->screen, ScreenPlaying);
  EXPECT_TRUE(app->CustomMatch());
  EXPECT_EQ(app->match->layout, built);
  EXPECT_EQ(app->match->run.levelNumber, 0);
  Key(kGlfwEscape);
  ASSERT_EQ(app->screen, ScreenEditor);
  EXPECT_EQ(Edited(), built);
  ControlKey('Z');
  EXPECT_EQ(Edited().gold.size(), 1u) << "the history came back with the level";
}

TEST_F(EditorSession, AWonPlayAndThePausePanelsQuitComeBackToo) {
  OpenEditorFromMenu();
  const LevelLayout level = Edited();
  ClickButton(EditorPlay);
  LayTrackAndDepart();
  RunUntil(Played().run.trainArrived);
  ASSERT_EQ(Played().run.trainArrived, 1);
  Click(630, 505);  // the won panel's Continue
  EXPECT_EQ(app->screen, ScreenEditor);
  EXPECT_EQ(gameState.progress.totalScore, 0) << "a test play counts for nothing";
  Key('P');
  ASSERT_EQ(app->screen, ScreenPlaying);
  Click(960, 735);  // pause
  Click(514, 545);  // the pause panel's quit
  EXPECT_EQ(app->screen, ScreenEditor);
  EXPECT_EQ(Edited(), level);
}

TEST_F(EditorSession, SaveIsRefusedWithTheVerdictWhileTheLevelCannotBeWon) {
  OpenEditorFromMenu();
  for (int i = 0; i < 40 && Edited().iron > 0; ++i) ClickButton(EditorIronLess);
  ASSERT_FALSE(app->editor->verdict.winnable);
  ClickButton(EditorSave);
  EXPECT_TRUE(app->editor->messageRefused);
  EXPECT_NE(app->editor->message.find(app->editor->verdict.text), std::string::npos) << app->editor->message;
  EXPECT_FALSE(Exists(SavedPath()));
  Key('S');
  EXPECT_FALSE(Exists(SavedPath()));
}

TEST_F(EditorSession, SaveWritesAFileThatReadsBackToTheSameBoard) {
  OpenEditorFromMenu();
  BuildSmallLevel();
  Key('S');
  ASSERT_TRUE(Exists(SavedPath())) << app->editor->message;
  EXPECT_FALSE(app->editor->messageRefused) << app->editor->message;
  EXPECT_FALSE(app->editor->History().Changed());
  ExpectHoldsTheEditedLevel(SavedPath());
}

TEST_F(EditorSession, SavingOverAFileAsksFirst) {
  OpenEditorFromMenu();
  BuildSmallLevel();
  ClickButton(EditorSave);
  const std::string first = Read(SavedPath());
  ASSERT_FALSE(first.empty());
  Place(EditTool::Stones, {2, 7});
  ClickButton(EditorSave);
  ASSERT_EQ(app->editor->question, EditorQuestion::Replace);
  ClickBox(kEditorNo);
  EXPECT_EQ(app->editor->question, EditorQuestion::None);
  EXPECT_EQ(Read(SavedPath()), first);
  ClickButton(EditorSave);
  ClickBox(kEditorYes);
  ExpectHoldsTheEditedLevel(SavedPath());
}

TEST_F(EditorSession, LeavingWithChangesUnsavedAsksFirst) {
  OpenEditorFromMenu();
  ClickButton(EditorMenu);
  EXPECT_EQ(app->screen, ScreenMenu) << "nothing changed: no question";
  ClickBox(kMenuEditor);
  Place(EditTool::Gold, {3, 3});
  Key(kGlfwEscape);
  ASSERT_EQ(app->editor->question, EditorQuestion::Leave);
  Key(kGlfwEscape);  // no
  EXPECT_EQ(app->screen, ScreenEditor);
  EXPECT_EQ(app->editor->question, EditorQuestion::None);
  ClickButton(EditorMenu);
  ClickBox(kEditorYes);
  EXPECT_EQ(app->screen, ScreenMenu);
}

TEST_F(EditorSession, UnderTheFirstRulesTheMenuSignsAnswerNothing) {
  SetRulesVersion(1);
  Start();
  ToMenu();
  ClickBox(kMenuEditor);
  EXPECT_EQ(app->screen, ScreenMenu);
  ClickBox(kMenuLevels);
  EXPECT_EQ(app->screen, ScreenMenu);
}

TEST_F(EditorSession, EditLevelOpensTheFileAndSavesBackIntoIt) {
  const std::string path = folder + "mine.level";
  app = new c_MainGame(false);
  fixtureMainGame = app;
  LevelLayout level = EmptyLevel();
  app->EditAtStart(level, path);
  game->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);
  game->BeginGame();
  Update();
  ASSERT_EQ(app->screen, ScreenEditor);
  Place(EditTool::Gold, {5, 5});
  Key('S');
  ExpectHoldsTheEditedLevel(path);
  EXPECT_FALSE(Exists(LevelsFolder() + LevelFileName(Edited().name))) << "the levels folder is left alone";
}

}  // namespace
