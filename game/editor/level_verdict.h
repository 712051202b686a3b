// Whether a level being edited can be won, and for how much: the solver's
// answer in the words the editor shows after every edit.
#pragma once

#include <string>

#include "game/rules/layouts.h"
#include "game/solver/route_search.h"

struct LevelVerdict {
  bool winnable = false;
  int pieces = 0, iron = 0, arrivalMs = 0;
  Route route;       // the cheapest route when one exists (drawn on request)
  std::string text;  // "Winnable: 17 pieces, 1850 iron, arrives at 3:42" or "No way: ..."
};

// The solver's answer for a layout, with a new game's crew (kNewGameWorkers).
LevelVerdict JudgeLevel(const LevelLayout& level);
