#include "game/generator/daily_level.h"

#include <gtest/gtest.h>

namespace {

TEST(DailyLevel, ReadsOnlyDaysThatExist) {
  struct Row {
    const char* text;
    bool valid;
  };
  const Row rows[] = {{"2026-12-09", true},  {"2024-02-29", true},  {"2000-02-29", true}, {"1900-02-29", false},
                      {"2026-02-29", false}, {"2026-13-01", false}, {"2026-00-10", false}, {"2026-04-31", false},
                      {"2026-4-01", false},  {"20261209", false},   {"2026-12-0x", false}, {"", false}};
  for (const Row& r : rows) {
    CalendarDay day;
    EXPECT_EQ(ParseDay(r.text, day), r.valid) << r.text;
    if (r.valid) EXPECT_EQ(DayText(day), r.text);
  }
}

TEST(DailyLevel, TheUtcDayOfAMoment) {
  EXPECT_EQ(DayText(DayOfUtc(0)), "1970-01-01");
  EXPECT_EQ(DayText(DayOfUtc(951782400)), "2000-02-29");
  EXPECT_EQ(DayText(DayOfUtc(1796860799)), "2026-12-09");  // 23:59:59
  EXPECT_EQ(DayText(DayOfUtc(1796860800)), "2026-12-10");
  // Every day of four years, including a leap day, counted there and back.
  for (std::int64_t n = 20000; n < 20000 + 4 * 366; ++n) ASSERT_EQ(DayNumber(DayFromNumber(n)), n);
}

TEST(DailyLevel, OneLevelPerDayTheSameForEveryone) {
  CalendarDay today, tomorrow;
  ASSERT_TRUE(ParseDay("2026-12-09", today));
  ASSERT_TRUE(ParseDay("2026-12-10", tomorrow));
  const GeneratedLevel a = DailyLevel(today), b = DailyLevel(today), c = DailyLevel(tomorrow);
  EXPECT_EQ(a.solution.ironCost, b.solution.ironCost);
  EXPECT_EQ(a.layout.scenery.size(), b.layout.scenery.size());
  EXPECT_NE(DailySeed(today), DailySeed(tomorrow));
  EXPECT_TRUE(a.solution.winnable && c.solution.winnable);
  const Par par = ParOf(a);
  EXPECT_EQ(par.iron, a.solution.ironCost);
  EXPECT_GT(par.arrivalMs, 0);
  EXPECT_EQ(ParText({2450, 222500}), "Par: 2450 iron, arrives at 3:42");
}

}  // namespace
