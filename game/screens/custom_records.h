// The player's best on each custom level, kept by the level's content (the
// hash of its file's text), so a level changed in any way starts fresh.
#pragma once

#include <cstdint>
#include <map>

struct CustomRecord {
  int bestScore = 0;
  int fastestSeconds = 0;
};

// Levels kept at most, so the file stays small; past it the lowest key makes
// room (no order of keys is fairer than another).
constexpr int kCustomRecordsKept = 5000;

struct CustomRecords {
  std::map<std::uint64_t, CustomRecord> levels;

  // A win: the best score and the fastest arrival are each kept apart.
  void RecordWin(std::uint64_t key, int score, int seconds);
  // Null before the level's first win.
  const CustomRecord* Of(std::uint64_t key) const;
};
