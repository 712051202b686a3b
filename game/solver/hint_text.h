// The one line the game shows for a hint.
#pragma once

#include <string>

#include "game/solver/hint_search.h"

// "Hint: 7 more pieces, 1050 iron (you have 400; the mine holds 1400)", or
// "No way to FINISH from here - Restart?" when no way is left. A level without
// a mine leaves the mine out of the brackets.
std::string HintLine(const HintResult& hint);
