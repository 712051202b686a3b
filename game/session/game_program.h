// The game as a replay or a recording session runs it: its start-up values,
// the main game, and what the end line reads from it. The program and the
// tools that play the game headless share this one description.
#pragma once

#include "game/session/replay_session.h"

GameProgram MainGameProgram();
