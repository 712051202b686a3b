// Generated levels played the way a player gets them: the generator's level
// written as a level file and read back, then played in the real game,
// headless, as a custom match by the scripted player's clicks of the
// solver's plan. A level counts as won only when its train arrives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/generator/level_generator.h"

// How the scripted player's play of one level went.
struct LevelPlayed {
  bool won = false;
  // When not won: what stopped it, in the scripted player's words (or the
  // generator's, the solver's, the level file's: see PlayGeneratedLevel).
  std::string fault;
  int arrivalMs = -1;      // the level's own time when the train arrived
  int enemyClicks = 0;     // clicks on bandits and raiders on the way
  int repeatedClicks = 0;  // plan clicks the game did not take at once
};

// The level played as a custom match in a process of its own (the game is
// process-wide): a level that brings the game down is a fault of that level,
// and the caller plays on.
LevelPlayed PlayLevelApart(const LevelLayout& layout);

struct GeneratedPlay {
  std::uint32_t seed = 0;
  Difficulty difficulty = Difficulty::Medium;
  LevelPlayed play;
  double wallMs = 0;     // generating and playing it, on this machine
  int parArrivalMs = 0;  // when the solver's plan brings the train in
};

// One seed of one difficulty: the level made, vouched for by the solver and
// the quality checks, written as a level file and read back, and what was
// read played apart. A fault at any step is the play's fault.
GeneratedPlay PlayGeneratedLevel(std::uint32_t seed, Difficulty difficulty);

// The plays of one difficulty summed up: one row of the table below.
struct GeneratedPlaySummary {
  int played = 0;
  int won = 0;
  std::vector<std::uint32_t> failedSeeds;
  double medianMs = 0, worstMs = 0;
  // How much later than the solver's plan the player's trains arrived, in
  // the level's time: the median and the worst (bandits and raiders hold the
  // player up; the plan knows nothing of them). The plan and the game count the
  // arrival at slightly different moments of the last cell: on levels
  // without enemies it reads a little under 0.
  int medianLateMs = 0, worstLateMs = 0;
  int enemyClicks = 0;     // over all its levels
  int repeatedClicks = 0;  // over all its levels: plan clicks the game did not take at once
};
GeneratedPlaySummary Summarise(const std::vector<GeneratedPlay>& plays);

// The table by difficulty, in Markdown, then a line for each failure: its
// seed and difficulty and what stopped it.
std::string GeneratedPlayTable(const std::vector<GeneratedPlay>& plays);
