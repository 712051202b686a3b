// The daily line's corner of the map: today's date (UTC) and the par of its
// level, the last seven days played or missed, and the run of days played. A
// click on it (or the keys' focus and Enter) plays today's level.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/generator/daily_level.h"
#include "game/screens/daily_results.h"
#include "game/screens/hit_box.h"

constexpr HitBox kDailyButton = ClosedBox(806, 1010, 470, 578);

// How one day of the week strip looks.
enum class DayMark { Missed, Played, UnderPar, Today };

struct DailyPanel {
  std::int64_t today = -1;  // days since 1970-01-01; -1 before the first Prepare
  GeneratedLevel level;     // today's level, made once per day
  Par par;

  // Makes the day's level when the day has changed since the last call.
  void Prepare(std::int64_t day);
};

std::string DailyDateText(std::int64_t day);
// "Par 2450 iron, 3:42"
std::string DailyParText(Par par);
// "Run: 3 days", "Run: 1 day", "Start a run today"
std::string DailyRunText(int days);
// The seven days ending today, oldest first; today not yet played shows as Today.
std::array<DayMark, 7> WeekMarks(const DailyResults& results, std::int64_t today);
