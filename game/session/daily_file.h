// The daily line's results in their own file "daily.sav" of the embedded file
// system, stored with the save as the records are. A damaged file is set
// aside as "daily.damaged" with one line and the results start afresh.
#pragma once

#include "game/screens/daily_results.h"

constexpr const char* kDailyFileName = "daily.sav";
constexpr const char* kDamagedDailyFileName = "daily.damaged";
// The number of days, then per day: the day (days since 1970-01-01), score,
// arrival in seconds, iron spent, under par (0 or 1), hint used (0 or 1).
constexpr int kDailyValuesPerDay = 6;

DailyResults LoadDailyResults();
void PutDailyResults(const DailyResults& results);
