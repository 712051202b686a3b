// What makes a generated level worth playing, checked on the level and the
// solver's answer for it. The generator draws again while a check fails; the
// tests run the same checks on what it hands out.
#pragma once

#include <string>

#include "game/generator/level_generator.h"

// The first check the level fails, in words ("no detour: ..."), or "" when it
// passes them all.
std::string QualityFault(const LevelLayout& layout, const LevelSolution& solution, Difficulty difficulty);

// The route's length in cells over the straight distance from START to FINISH.
double DetourRatio(const LevelSolution& solution);
// Whether the cheapest track crosses stones a worker has to clear.
bool StonesOnRoute(const LevelSolution& solution);
// Least detour on medium and hard.
constexpr double kLeastDetour = 1.4;
// On hard, start iron plus the mine's reserve over the cheapest track's cost.
constexpr double kHardIronLow = 1.1;
constexpr double kHardIronHigh = 1.5;
