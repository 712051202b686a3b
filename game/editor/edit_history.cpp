#include "game/editor/edit_history.h"

#include "game/rules/layout_equal.h"

EditHistory::EditHistory(const LevelLayout& first) : states_{first}, saved_(first) {}

const LevelLayout& EditHistory::Current() const { return states_[current_]; }

void EditHistory::Commit(const LevelLayout& next) {
  if (next == Current()) return;
  states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, states_.end());
  states_.push_back(next);
  // The oldest step goes once the history is full: one more than the steps,
  // since the first state is no step.
  if (states_.size() > static_cast<std::size_t>(kEditHistorySteps) + 1) states_.pop_front();
  current_ = states_.size() - 1;
}

bool EditHistory::Undo() {
  if (!CanUndo()) return false;
  --current_;
  return true;
}

bool EditHistory::Redo() {
  if (!CanRedo()) return false;
  ++current_;
  return true;
}

bool EditHistory::CanUndo() const { return current_ > 0; }

bool EditHistory::CanRedo() const { return current_ + 1 < states_.size(); }

void EditHistory::MarkSaved() { saved_ = Current(); }

bool EditHistory::Changed() const { return Current() != saved_; }
