// The least iron a level's track can cost, from the level's own layout: the
// measure the won panel's stars are given against. Worked out once per level
// and kept for the rest of the run (the route search is the slow part).
#pragma once

#include "game/rules/layouts.h"

// The iron of level n's cheapest track (1..15); 0 when no track can join its
// START to its FINISH or n is no level.
int CheapestIron(int levelNumber);
// The same for any layout (a level file's, a generated one's); 0 when no
// track can join its START to its FINISH. Not kept: the caller keeps it.
int CheapestIronOf(const LevelLayout& layout);
