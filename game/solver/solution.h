// A level solved: its cheapest track and a schedule that builds it in time.
// This is what the scripted player reads; SolutionText prints it.
#pragma once

#include <string>
#include <vector>

#include "game/rules/state.h"
#include "game/solver/board_model.h"
#include "game/solver/route_search.h"
#include "game/solver/track.h"
#include "game/solver/work_plan.h"

struct LevelSolution {
  BoardModel board;
  Route route;
  std::vector<TrackPiece> pieces;  // in the order the train meets them
  int ironCost = 0;
  WorkPlan plan;
  bool winnable = false;
  std::string blockedBy;  // when not winnable: the constraint that stops it
  PlanBlock block = PlanBlock::None;
};

// Level n (1..15) with this many workers.
LevelSolution SolveLevel(int levelNumber, int workers = kNewGameWorkers);
// Any board, for boards made by hand.
LevelSolution SolveBoard(const BoardModel& board, int workers);
