// The game's invariants, checked from outside after an update: what must hold
// of the board, the economy and the train whatever the player clicked.
#pragma once

#include <string>

class Match;

// Checks the match, in this order: iron is not negative; every cell kind lies between
// CellBlocked and the last piece kind; every blocked cell lies under active
// scenery, under active stones or under a piece being built; the train stands
// on the board or one cell left of it; and, when workersInPlay (a level is
// being played), every owned worker is in exactly one place (idle, in the
// mine, on one piece or on one clearing) and no job holds a cell twice.
// Answers "" when all hold, else a line describing the first that does not.
std::string CheckGameInvariants(const Match& match, bool workersInPlay);
