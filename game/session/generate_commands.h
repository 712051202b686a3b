// The options that make levels without a window: --generate SEED [DIFFICULTY]
// [FILE] writes (or prints) the level that seed makes, and --daily [DATE]
// prints a day's level with its par. Each returns the program's exit status
// and puts what it reports in `out` and `err`.
#pragma once

#include <cstdint>
#include <string>

#include "game/generator/level_generator.h"

// The level file text of a generated level: the file the reader reads back,
// with the seed, the difficulty and the par in its comments.
std::string GeneratedLevelText(const GeneratedLevel& level, const std::string& madeFrom);

int GenerateLevelCommand(std::uint32_t seed, Difficulty difficulty, const std::string& file, std::string& out,
                         std::string& err);
// `date` "YYYY-MM-DD", or "" for today (UTC).
int DailyLevelCommand(const std::string& date, std::string& out, std::string& err);
