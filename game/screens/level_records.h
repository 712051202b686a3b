// The player's own best results, per level: the best score, the fastest
// arrival (game seconds from the level's start to the train's arrival) and
// whether the level was ever won without a hint. The map shows them; they
// are kept beside the saved progress and outlive a new game.
#pragma once

#include <array>
#include <string>

#include "game/rules/state.h"

struct LevelRecord {
  bool won = false;
  int bestScore = 0;
  int fastestSeconds = 0;
  bool wonWithoutHint = false;
};

struct LevelRecords {
  std::array<LevelRecord, kLevelCount> levels{};

  // A win of level n (1..15): each record kept where the new result beats it.
  void RecordWin(int levelNumber, int score, int seconds, bool hintUsed);
  const LevelRecord& Of(int levelIndex) const { return levels[levelIndex]; }
};

// "Best: 3400 in 1:52" for a won level, "" for one never won.
std::string RecordText(const LevelRecord& record);
