#include "game/session/generate_commands.h"

#include <fstream>

#include "game/generator/daily_level.h"
#include "game/rules/level_writer.h"
#include "game/rules/state.h"

namespace {

constexpr int kCannotWriteStatus = 1;
constexpr int kBadDateStatus = 2;

}  // namespace

std::string GeneratedLevelText(const GeneratedLevel& level, const std::string& madeFrom) {
  const std::string text = WriteLevelText(level.layout);
  const size_t firstLineEnd = text.find('\n') + 1;
  return text.substr(0, firstLineEnd) + "# " + madeFrom + "\n# " + ParText(ParOf(level)) + "\n" +
         text.substr(firstLineEnd);
}

int GenerateLevelCommand(std::uint32_t seed, Difficulty difficulty, const std::string& file, std::string& out,
                         std::string& err) {
  const GeneratedLevel level = GenerateLevel(seed, difficulty);
  const std::string text =
      GeneratedLevelText(level, "Generated from seed " + std::to_string(seed) + ", " + DifficultyName(difficulty));
  if (file.empty()) {
    out = text;
    return 0;
  }
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream << text;
  stream.close();
  if (!stream) {
    err = "rails-against-time: cannot write the level to " + file + "\n";
    return kCannotWriteStatus;
  }
  out = file + ": \"" + level.layout.name + "\", " + ParText(ParOf(level)) + "\n";
  return 0;
}

int DailyLevelCommand(const std::string& date, std::string& out, std::string& err) {
  CalendarDay day = DayOfUtc(CalendarSeconds());
  if (!date.empty() && !ParseDay(date, day)) {
    err = "rails-against-time: --daily needs a date written YYYY-MM-DD, from 1970 on: " + date + "\n";
    return kBadDateStatus;
  }
  out = GeneratedLevelText(DailyLevel(day), "The daily line of " + DayText(day) + " (UTC)");
  return 0;
}
