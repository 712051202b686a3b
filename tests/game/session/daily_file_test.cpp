#include "game/session/daily_file.h"

#include <gtest/gtest.h>

#include <string>

#include "support/file_system.h"
#include "tests/game/state_values.h"

namespace {

// The daily file read from a state holding the given values, as the game
// reads it at start-up.
class DailyFile : public ::testing::Test {
 protected:
  void Use(const std::string& values) { UseStateValues(kDailyFileName, values); }
  void TearDown() override { fileSystem = nullptr; }
};

TEST_F(DailyFile, WhatIsPutReadsBackTheSame) {
  Use("");
  DailyResults results;
  results.Record({20431, 4200, 215, 1850, true, false});
  results.Record({20433, 3900, 230, 2100, false, true});
  PutDailyResults(results);
  const DailyResults back = LoadDailyResults();
  ASSERT_EQ(back.days.size(), 2u);
  EXPECT_EQ(back.days[1].day, 20433);
  EXPECT_EQ(back.days[1].ironSpent, 2100);
  EXPECT_TRUE(back.days[1].hintUsed);
  EXPECT_TRUE(back.days[0].underPar);
  EXPECT_EQ(fileSystem->OpenFile(String(kDamagedDailyFileName)), nullptr);
}

TEST_F(DailyFile, ADamagedFileIsSetAsideAndTheResultsStartAfresh) {
  const char* damaged[] = {
      "2\t20431\t4200\t215\t1850\t1\t0",                               // fewer values than days
      "1\t20431\t4200\t215\t1850\t2\t0",                               // under par not 0 or 1
      "2\t20431\t1\t1\t1\t1\t0\t20431\t1\t1\t1\t1\t0",                 // the same day twice
      "2\t20432\t1\t1\t1\t1\t0\t20431\t1\t1\t1\t1\t0",                 // days out of order
      "1\t20431\t-5\t215\t1850\t1\t0",                                 // a negative score
      "1\t20431\t4200\t215\tabc\t1\t0",                                // not a number
      "401\t1",                                                        // more days than are kept
  };
  for (const char* values : damaged) {
    Use(values);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(LoadDailyResults().days.empty()) << values;
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("daily.sav are damaged"), std::string::npos) << values;
    ASSERT_NE(fileSystem->OpenFile(String(kDamagedDailyFileName)), nullptr) << values;
    EXPECT_EQ(fileSystem->OpenFile(String(kDamagedDailyFileName))->valueText.ToUtf8(), values);
  }
}

}  // namespace
