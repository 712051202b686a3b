#include "game/screens/daily_panel.h"

#include "game/screens/level_records.h"

void DailyPanel::Prepare(std::int64_t day) {
  if (day == today) return;
  today = day;
  level = DailyLevel(DayFromNumber(day));
  par = ParOf(level);
}

std::string DailyDateText(std::int64_t day) { return DayText(DayFromNumber(day)); }

std::string DailyParText(Par par) {
  return "Par " + std::to_string(par.iron) + " iron, " + MinutesText(par.arrivalMs / 1000);
}

std::string DailyRunText(int days) {
  if (days <= 0) return "Start a run today";
  return "Run: " + std::to_string(days) + (days == 1 ? " day" : " days");
}

std::array<DayMark, 7> WeekMarks(const DailyResults& results, std::int64_t today) {
  const std::array<const DailyResult*, 7> week = results.LastSevenDays(today);
  std::array<DayMark, 7> marks{};
  for (int i = 0; i < 7; ++i) {
    if (week[i] != nullptr) marks[i] = week[i]->underPar ? DayMark::UnderPar : DayMark::Played;
    else marks[i] = i == 6 ? DayMark::Today : DayMark::Missed;
  }
  return marks;
}
