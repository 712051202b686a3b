// Levels made from a seed and a difficulty, each one proved winnable by the
// solver and checked to be worth playing (a detour to find, stones in the
// way, tight iron on the hard ones) before it is handed out.
#pragma once

#include <cstdint>
#include <string>

#include "game/rules/layouts.h"
#include "game/solver/solution.h"

enum class Difficulty { Easy, Medium, Hard };

const char* DifficultyName(Difficulty difficulty);
// "easy", "medium" or "hard"; false for anything else.
bool ParseDifficulty(const std::string& text, Difficulty& out);

struct GeneratedLevel {
  LevelLayout layout;
  LevelSolution solution;  // the solver's proof: the cheapest track and its schedule
  int draws = 0;           // boards drawn until one passed every check
};

// The same seed and difficulty give the same level on every machine.
GeneratedLevel GenerateLevel(std::uint32_t seed, Difficulty difficulty);

// Draws given up on before the generator settles for the last winnable board
// it drew (in practice a level passes within a few draws).
constexpr int kMaxDraws = 400;
