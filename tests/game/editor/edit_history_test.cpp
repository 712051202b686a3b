// Undo and redo of the editor's edits, and whether the level has changed
// since it was saved.
#include <gtest/gtest.h>

#include "game/editor/edit_history.h"
#include "game/editor/level_edit.h"
#include "game/rules/layout_equal.h"

namespace {

LevelLayout WithIron(int iron) {
  LevelLayout level = EmptyLevel();
  SetStartIron(level, iron);
  return level;
}

TEST(EditHistoryTest, UndoAndRedoWalkTheEditsAndANewEditDropsTheRedoSteps) {
  EditHistory history(WithIron(0));
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.Undo());
  for (int iron = 1; iron <= 3; ++iron) history.Commit(WithIron(iron));
  history.Commit(WithIron(3));  // no change: no step
  ASSERT_TRUE(history.Undo());
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(history.Current().iron, 1);
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(history.Current().iron, 2);
  EXPECT_TRUE(history.CanRedo());
  history.Commit(WithIron(7));
  EXPECT_FALSE(history.CanRedo());
  EXPECT_FALSE(history.Redo());
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(history.Current().iron, 2);
  ASSERT_TRUE(history.Undo());
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(history.Current().iron, 0);
  EXPECT_FALSE(history.CanUndo());
}

TEST(EditHistoryTest, KeepsTheLastStepsOnceFull) {
  EditHistory history(WithIron(0));
  const int edits = kEditHistorySteps + 50;
  for (int iron = 1; iron <= edits; ++iron) history.Commit(WithIron(iron));
  int undone = 0;
  while (history.Undo()) ++undone;
  EXPECT_EQ(undone, kEditHistorySteps);
  EXPECT_GE(undone, 100);
  EXPECT_EQ(history.Current().iron, edits - kEditHistorySteps);
  int redone = 0;
  while (history.Redo()) ++redone;
  EXPECT_EQ(redone, kEditHistorySteps);
  EXPECT_EQ(history.Current().iron, edits);
}

TEST(EditHistoryTest, ChangedComparesWithTheLayoutLastSaved) {
  EditHistory history(WithIron(10));
  EXPECT_FALSE(history.Changed());
  history.Commit(WithIron(20));
  EXPECT_TRUE(history.Changed());
  history.MarkSaved();
  EXPECT_FALSE(history.Changed());
  ASSERT_TRUE(history.Undo());
  EXPECT_TRUE(history.Changed());
  ASSERT_TRUE(history.Redo());
  EXPECT_FALSE(history.Changed());
  // Back to the saved layout by another edit: nothing unsaved.
  history.Commit(WithIron(30));
  history.Commit(WithIron(20));
  EXPECT_FALSE(history.Changed());
}

}  // namespace
