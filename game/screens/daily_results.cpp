#include "game/screens/daily_results.h"

#include <algorithm>

namespace {

bool Beats(const DailyResult& a, const DailyResult& b) {
  return a.score > b.score || (a.score == b.score && a.arrivalSeconds < b.arrivalSeconds);
}

}  // namespace

void DailyResults::Record(const DailyResult& result) {
  auto at = std::lower_bound(days.begin(), days.end(), result.day,
                             [](const DailyResult& r, std::int64_t day) { return r.day < day; });
  if (at != days.end() && at->day == result.day) {
    const bool hintEver = at->hintUsed || result.hintUsed;
    if (Beats(result, *at)) *at = result;
    at->hintUsed = hintEver;
  } else {
    days.insert(at, result);
  }
  if (static_cast<int>(days.size()) > kDailyDaysKept) days.erase(days.begin());
}

const DailyResult* DailyResults::Of(std::int64_t day) const {
  for (const DailyResult& r : days) {
    if (r.day == day) return &r;
  }
  return nullptr;
}

std::array<const DailyResult*, 7> DailyResults::LastSevenDays(std::int64_t today) const {
  std::array<const DailyResult*, 7> week{};
  for (int i = 0; i < 7; ++i) week[i] = Of(today - 6 + i);
  return week;
}

int DailyResults::CurrentRun(std::int64_t today) const {
  std::int64_t day = Of(today) ? today : today - 1;
  int run = 0;
  while (Of(day)) {
    ++run;
    --day;
  }
  return run;
}
