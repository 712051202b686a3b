#include "game/session/custom_records_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/game/state_values.h"

namespace {

class CustomRecordsFile : public ::testing::Test {
 protected:
  void Use(const std::string& values) { UseStateValues(kCustomRecordsFileName, values); }
  void TearDown() override { fileSystem = nullptr; }
};

TEST_F(CustomRecordsFile, WhatIsPutReadsBackTheSameWholeKeysIncluded) {
  Use("");
  CustomRecords records;
  const std::uint64_t keys[] = {0xFFFFFFFFFFFFFFFFull, 0x8000000000000001ull, 0x123456789ABCDEF0ull, 0};
  for (int i = 0; i < 4; ++i) records.RecordWin(keys[i], 1000 * (i + 1), 60 + i);
  PutCustomRecords(records);
  const CustomRecords back = LoadCustomRecords();
  ASSERT_EQ(back.levels.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const CustomRecord* r = back.Of(keys[i]);
    ASSERT_NE(r, nullptr) << i;
    EXPECT_EQ(r->bestScore, 1000 * (i + 1));
    EXPECT_EQ(r->fastestSeconds, 60 + i);
  }
  EXPECT_EQ(fileSystem->OpenFile(String(kDamagedCustomRecordsFileName)), nullptr);
}

TEST_F(CustomRecordsFile, TheBestScoreAndTheFastestArrivalAreKeptApart) {
  CustomRecords records;
  records.RecordWin(7, 3000, 120);
  records.RecordWin(7, 2500, 90);   // slower score, faster arrival
  records.RecordWin(7, 3400, 150);  // better score, slower arrival
  ASSERT_NE(records.Of(7), nullptr);
  EXPECT_EQ(records.Of(7)->bestScore, 3400);
  EXPECT_EQ(records.Of(7)->fastestSeconds, 90);
  EXPECT_EQ(records.Of(8), nullptr);
}

TEST_F(CustomRecordsFile, ADamagedFileIsSetAsideAndTheRecordsStartAfresh) {
  const char* damaged[] = {
      "2\t1\t2\t3\t4\t100\t60",                            // fewer values than levels
      "1\t1\t2\t3\t65536\t100\t60",                        // a key part wider than 16 bits
      "1\t1\t2\t3\t4\t-100\t60",                           // a negative score
      "1\t1\t2\t3\tx\t100\t60",                            // not a number
      "2\t1\t2\t3\t4\t100\t60\t1\t2\t3\t4\t200\t70",        // the same level twice
      "5001\t1",                                           // more levels than are kept
  };
  for (const char* values : damaged) {
    Use(values);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(LoadCustomRecords().levels.empty()) << values;
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("custom.sav are damaged"), std::string::npos) << values;
    ASSERT_NE(fileSystem->OpenFile(String(kDamagedCustomRecordsFileName)), nullptr) << values;
    EXPECT_EQ(fileSystem->OpenFile(String(kDamagedCustomRecordsFileName))->valueText.ToUtf8(), values);
  }
}

}  // namespace
