// The hint's input filled from the running game: the level's pools and cells,
// the economy's game state and the train. Everything the search needs is copied
// out, so the copy may leave the game's thread.
#pragma once

#include "game/rules/match.h"
#include "game/solver/hint_state.h"

HintState HintStateFromGame(const Match& match);
