// Every edit as a whole layout (a level is small): undo and redo, at least
// 100 steps back.
#pragma once

#include <cstddef>
#include <deque>

#include "game/rules/layouts.h"

constexpr int kEditHistorySteps = 200;

class EditHistory {
 public:
  explicit EditHistory(const LevelLayout& first);
  const LevelLayout& Current() const;
  // A new state after an edit; drops the redo steps. Equal to Current(): nothing.
  void Commit(const LevelLayout& next);
  bool Undo();
  bool Redo();
  bool CanUndo() const;
  bool CanRedo() const;
  // Saved: the layout written last, so the screen can say "unsaved changes".
  void MarkSaved();
  bool Changed() const;

 private:
  std::deque<LevelLayout> states_;
  std::size_t current_ = 0;
  LevelLayout saved_;
};
