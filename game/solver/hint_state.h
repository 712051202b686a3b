// One moment of a level as the hint search reads it. Only plain values: a copy
// of it can be searched on another thread while the game goes on, and nothing
// in it points into the game's collected objects.
#pragma once

#include <array>

#include "game/solver/board_model.h"
#include "game/solver/track.h"

// What stands on one cell now.
struct HintCell {
  int piece = kNoPiece;     // a finished piece's kind
  int building = kNoPiece;  // the kind of a piece under construction
  int buildMsLeft = 0;      // work left on that piece
  int clearMsLeft = -1;     // stones being cleared: work left; -1 when nobody clears them
};

// Where the train is. Before it leaves it waits half-way through the cell left
// of the start cell, entering from the west.
struct HintTrain {
  bool running = false;  // it has left: no more pieces can be ordered
  bool arrived = false;
  bool crashed = false;
  CellXY cell{};         // x is -1 left of the board
  int entry = SideWest;  // the side it entered its cell by
  int exit = SideEast;   // the side it leaves its cell by
  float progress = 0.5f; // through its cell, 0 at the entry side
  bool nextLookedUp = false;  // the next cell's move is chosen already
  CellXY nextCell{};
  int nextEntry = SideWest;
  int nextExit = SideEast;
};

struct HintState {
  // The ground now (stones still lying, nuggets still there) and the level's
  // start, finish, tunnel pair and mine; its iron and reserve are the level's
  // starting values, the live ones are below.
  BoardModel board;
  std::array<HintCell, kCellCount> cells{};
  int iron = 0;
  int mineReserve = 0;
  int mineWorkers = 0;
  int msToPayout = 0;  // until the mine's next payout while workers are inside
  int freeWorkers = 0;
  int ownedWorkers = 0;
  int countdownMsLeft = 0;  // until the train leaves
  HintTrain train;

  HintCell& At(CellXY c) { return cells[CellIndex(c.x, c.y)]; }
  const HintCell& At(CellXY c) const { return cells[CellIndex(c.x, c.y)]; }
};

// The moment a level starts: nothing built, the whole countdown ahead.
HintState HintStateAtStart(const BoardModel& board, int workers);
