// The program's command line. Playing needs no option; the others are for
// people who work on the game. Each option is one row of the table in
// options.cpp, with its help text.
#pragma once

#include <cstdint>
#include <string>

#include "game/generator/level_generator.h"

struct GameOptions {
  bool help = false;
  bool version = false;  // --version: print the name and version and end
  int printLevel = 0;  // 1..15: print that level's board and end
  std::string printLevelFile;  // --print-level FILE: print a level file's board and end
  std::string checkLevelFile;  // --check-level FILE: read a level file, solve it and end
  std::string recordFile;  // --record: play and write the session there
  std::string replayFile;  // --replay: play that session back
  bool headless = false;   // --headless: a replay without a window
  std::string playLevelFile;  // --play-level: play that level file
  std::string editLevelFile;  // --edit-level: open that level file (or a new level) in the editor
  // --generate SEED [DIFFICULTY] [FILE]: write or print a generated level and end
  bool generate = false;
  std::uint32_t generateSeed = 0;
  Difficulty generateDifficulty = Difficulty::Medium;
  bool generateDifficultyGiven = false;
  std::string generateFile;
  // --daily [YYYY-MM-DD]: print that day's level (today's without a date) and end
  bool daily = false;
  std::string dailyDate;
};

// Reads argv[1..]; false with a one-line reason for anything not understood.
bool ParseGameOptions(int argc, char** argv, GameOptions* options, std::string* error);
// The usage text printed by --help (several lines, ending in a line feed).
std::string GameUsage();
