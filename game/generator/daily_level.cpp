#include "game/generator/daily_level.h"

#include <cstdio>

#include "game/solver/solution_text.h"

namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

bool ParseDay(const std::string& text, CalendarDay& out) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u}) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  const CalendarDay d{std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)), std::stoi(text.substr(8, 2))};
  if (d.year < 1970 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month)) return false;
  out = d;
  return true;
}

std::string DayText(CalendarDay day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
  return text;
}

// The civil calendar counted in 400-year eras of 146097 days, with the year
// starting in March so the leap day falls last.
std::int64_t DayNumber(CalendarDay d) {
  const std::int64_t y = d.month <= 2 ? d.year - 1 : d.year;
  const std::int64_t era = y / 400;
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

CalendarDay DayFromNumber(std::int64_t days) {
  days += 719468;
  const std::int64_t era = days / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

CalendarDay DayOfUtc(std::int64_t unixSeconds) {
  const std::int64_t days = unixSeconds >= 0 ? unixSeconds / 86400 : (unixSeconds - 86399) / 86400;
  return DayFromNumber(days);
}

// The day's number written as YYYYMMDD: a seed a person can read back.
std::uint32_t DailySeed(CalendarDay day) {
  return static_cast<std::uint32_t>(day.year * 10000 + day.month * 100 + day.day);
}

GeneratedLevel DailyLevel(CalendarDay day) {
  GeneratedLevel level = GenerateLevel(DailySeed(day), kDailyDifficulty);
  level.layout.name = "Daily line";
  return level;
}

Par ParOf(const GeneratedLevel& level) { return {level.solution.ironCost, level.solution.plan.arrivalMs}; }

std::string ParText(Par par) {
  return "Par: " + std::to_string(par.iron) + " iron, arrives at " + MinutesSeconds(par.arrivalMs);
}
