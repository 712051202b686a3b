// The player's own best results, per level: the best score, the fastest
// arrival (game seconds from the level's start to the train's arrival),
// whether the level was ever won without a hint, and the most stars a win
// earned (1 to 3, by the iron spent against the cheapest track). The map shows them; they
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
  int stars = 0;  // 0 before the first win
};

constexpr int kMostStars = 3;

struct LevelRecords {
  std::array<LevelRecord, kLevelCount> levels{};

  // A win of level n (1..15): each record kept where the new result beats it.
  void RecordWin(int levelNumber, int score, int seconds, bool hintUsed, int stars);
  const LevelRecord& Of(int levelIndex) const { return levels[levelIndex]; }
};

// "Best: 3400 in 1:52" for a won level, "" for one never won.
std::string RecordText(const LevelRecord& record);
// Seconds as the player reads them: "1:55", "0:07".
std::string MinutesText(int seconds);

// The stars of a win: three when the iron spent is at most the cheapest
// track's, two within a quarter more, else one.
int StarsForWin(int ironSpent, int cheapestIron);
// Whether a win with this score and time breaks a record the level already
// held (a first win has none to break).
bool BreaksRecord(const LevelRecord& record, int score, int seconds);
