// File names made from level names: plain, short and inside their folder
// whatever the name holds.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "game/editor/level_file_name.h"

namespace {

// Lower-case letters and digits in runs joined by single '-', then ".level".
::testing::AssertionResult IsSafe(const std::string& file) {
  const std::string suffix = ".level";
  if (file.size() <= suffix.size() || file.compare(file.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return ::testing::AssertionFailure() << "\"" << file << "\" does not end in .level";
  }
  const std::string stem = file.substr(0, file.size() - suffix.size());
  if (stem.size() > static_cast<std::size_t>(kMaxLevelFileStem)) return ::testing::AssertionFailure() << "too long: " << file;
  if (stem.front() == '-' || stem.back() == '-' || stem.find("--") != std::string::npos) {
    return ::testing::AssertionFailure() << "stray dash: " << file;
  }
  for (char c : stem) {
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) {
      return ::testing::AssertionFailure() << "letter " << static_cast<int>(c) << " in " << file;
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(LevelFileNameTest, NamesBecomePlainLowerCaseWords) {
  struct Case {
    std::string name, file;
  };
  const Case cases[] = {
      {"First Station", "first-station.level"},
      {"../../etc/passwd", "etc-passwd.level"},
      {"a/b\\c", "a-b-c.level"},
      {"..", "level.level"},
      {".", "level.level"},
      {"", "level.level"},
      {"\x01\x1b[31mRed\x7f", "31mred.level"},
      {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "level.level"},
      {"Caf\xC3\xA9 No. 9", "caf-no-9.level"},
      {"  Dry -- Gulch!  ", "dry-gulch.level"},
      {std::string(10000, 'x'), std::string(40, 'x') + ".level"},
      // A cut never leaves a dash at the end.
      {std::string(39, 'a') + " b", std::string(39, 'a') + ".level"},
      {std::string(38, 'a') + " bc", std::string(38, 'a') + "-b.level"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LevelFileName(c.name), c.file) << c.name.substr(0, 60);
    EXPECT_TRUE(IsSafe(LevelFileName(c.name)));
  }
}

TEST(LevelFileNameTest, AnyBytesAtAllMakeASafeName) {
  std::mt19937 random(30);
  for (int i = 0; i < 2000; ++i) {
    std::string name(random() % 120, '\0');
    for (char& c : name) c = static_cast<char>(random() % 256);
    ASSERT_TRUE(IsSafe(LevelFileName(name))) << i;
  }
}

}  // namespace
