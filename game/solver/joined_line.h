// Whether the finished track already takes the train from START to FINISH: the
// moment the line joins is worth telling the player, and what TIME promises
// depends on it. A pure query of the level's cells, as the train would meet
// them: entering START from the west, through the tunnel pair when it is
// reached, over finished pieces only (a piece still being built is not yet
// track).
#pragma once

#include <vector>

#include "game/rules/board.h"
#include "game/solver/track.h"

// The steps of the joined line from START to FINISH, in the order the train
// passes them (a tunnel end's step leaves or enters by kThroughTunnel); empty
// while the line is broken anywhere.
std::vector<RouteStep> JoinedLine(const c_cLevel& level);
