// A hint from any moment of a level: a cheapest way to finish from there, the
// pieces still to order for it, and, when there is none, what stops it.
//
// The way reuses every piece standing on its cells or under construction that
// carries the train as the way needs; a piece in the way that does not is
// blown up first (free) and a new one ordered. Cheapest means least iron, ties
// broken as the route search breaks them, so from a level's start the hint is
// the solver's track.
//
// "No way" is said only when a condition every way needs fails: a route at
// all; the iron in stock and in the mine; workers to order every piece before
// the train leaves and finish it before the train gets there; the mine paying
// out enough before the train leaves. Once the train has left nothing can be
// ordered, so the track it follows decides.
#pragma once

#include <string>
#include <vector>

#include "game/solver/hint_state.h"
#include "game/solver/route_search.h"

struct HintPiece {
  CellXY cell;
  int kind;            // PieceKind to order
  bool onStones;       // the stones there are to be cleared first
  bool demolishFirst;  // a piece that does not fit stands there, to blow up first
};

enum class HintBlock { None, Route, Iron, Time, TrainGone };

struct HintResult {
  bool wayExists = false;
  Route route;                     // from the train's next cell to the finish
  std::vector<HintPiece> toOrder;  // in the order the train meets them
  int ironCost = 0;
  int demolitions = 0;  // pieces to blow up first; demolition costs no iron
  int ironInStock = 0;
  bool hasMine = false;
  int mineReserve = 0;
  HintBlock blockedBy = HintBlock::None;
  std::string why;  // when no way: the constraint that stops it
};

HintResult FindHint(const HintState& state);
