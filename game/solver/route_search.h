// The cheapest route for the train: from the start cell, entered from the
// west, to the finish cell, over free cells (gold included), cleared stones,
// the straight pieces of the tunnel ends and the jump between them; never over
// scenery or the mine. A route may cross itself where both passes are
// straight, one across the other (a crossing piece).
//
// Cheapest means least iron; between routes of equal iron, fewer stones to
// clear, then more gold picked up.
#pragma once

#include <vector>

#include "game/solver/board_model.h"
#include "game/solver/track.h"

struct Route {
  bool found = false;
  std::vector<RouteStep> steps;  // start cell first, finish cell last
};

Route FindCheapestRoute(const BoardModel& board);
// The same with pieces already standing: a pass that a piece there carries
// costs nothing, any other pass a new piece.
Route FindCheapestRoute(const BoardModel& board, const CellPieces& built);
