#include "game/screens/daily_results.h"

#include <gtest/gtest.h>

namespace {

DailyResult Day(std::int64_t day, int score, int seconds = 200, bool hint = false) {
  return {day, score, seconds, 1500, true, hint};
}

TEST(DailyResults, KeepsEachDaysBestAndOnlyOneEntryPerDay) {
  DailyResults r;
  r.Record(Day(100, 3000, 210));
  r.Record(Day(99, 1000));
  r.Record(Day(100, 2500, 150, true));  // lower score: not kept, but the hint counts for the day
  r.Record(Day(100, 3000, 190));        // same score, sooner: kept
  ASSERT_EQ(r.days.size(), 2u);
  EXPECT_EQ(r.days[0].day, 99);
  EXPECT_EQ(r.Of(100)->arrivalSeconds, 190);
  EXPECT_TRUE(r.Of(100)->hintUsed);
  for (int day = 0; day < kDailyDaysKept + 5; ++day) r.Record(Day(1000 + day, 10));
  EXPECT_EQ(static_cast<int>(r.days.size()), kDailyDaysKept);
  EXPECT_EQ(r.days.back().day, 1000 + kDailyDaysKept + 4);
}

TEST(DailyResults, TheWeekAndTheRunOfDaysPlayed) {
  DailyResults r;
  for (std::int64_t day : {10, 12, 13, 14}) r.Record(Day(day, 100));
  const auto week = r.LastSevenDays(14);
  const bool played[7] = {false, false, true, false, true, true, true};  // days 8..14
  for (int i = 0; i < 7; ++i) EXPECT_EQ(week[i] != nullptr, played[i]) << i;
  struct Row {
    std::int64_t today;
    int run;
  };
  for (Row row : {Row{14, 3}, Row{15, 3}, Row{16, 0}, Row{11, 1}, Row{12, 1}}) {
    EXPECT_EQ(r.CurrentRun(row.today), row.run) << "today " << row.today;
  }
}

}  // namespace
