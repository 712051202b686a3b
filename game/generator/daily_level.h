// The daily line: one level per calendar day (UTC), the same for every player
// on any machine, with a par to beat: the solver's cheapest iron and the
// arrival time of its plan.
#pragma once

#include <cstdint>
#include <string>

#include "game/generator/level_generator.h"

struct CalendarDay {
  int year = 1970, month = 1, day = 1;
};

// "YYYY-MM-DD", a day that exists (years 1970..9999); false for anything else.
bool ParseDay(const std::string& text, CalendarDay& out);
std::string DayText(CalendarDay day);
// The UTC day a moment (seconds since 1970) falls on.
CalendarDay DayOfUtc(std::int64_t unixSeconds);
// Days since 1970-01-01, and back.
std::int64_t DayNumber(CalendarDay day);
CalendarDay DayFromNumber(std::int64_t days);

std::uint32_t DailySeed(CalendarDay day);
constexpr Difficulty kDailyDifficulty = Difficulty::Medium;
GeneratedLevel DailyLevel(CalendarDay day);

struct Par {
  int iron = 0;       // the cheapest track's cost
  int arrivalMs = 0;  // when the solver's plan brings the train in
};
Par ParOf(const GeneratedLevel& level);
// "Par: 2450 iron, arrives at 3:42"
std::string ParText(Par par);
