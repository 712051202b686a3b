// The daily line's results, one per calendar day played: the best result of
// the day's level (a later, better try replaces it), and from them the last
// seven days and the run of days played up to today.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct DailyResult {
  std::int64_t day = 0;  // days since 1970-01-01 (UTC)
  int score = 0;
  int arrivalSeconds = 0;
  int ironSpent = 0;
  bool underPar = false;  // no more iron than the par
  bool hintUsed = false;
};

// Days kept: enough for a year of days played and the run they make.
constexpr int kDailyDaysKept = 400;

struct DailyResults {
  std::vector<DailyResult> days;  // oldest first, one per day

  // A win of the day's level: kept where it beats the day's best (a higher
  // score, or the same score sooner); the oldest day goes past kDailyDaysKept.
  void Record(const DailyResult& result);
  const DailyResult* Of(std::int64_t day) const;
  // The seven days ending today, oldest first; null for a day not played.
  std::array<const DailyResult*, 7> LastSevenDays(std::int64_t today) const;
  // Days played in a row up to today, or up to yesterday while today is
  // still to play.
  int CurrentRun(std::int64_t today) const;
};
