#include "game/solver/solution.h"

LevelSolution SolveLevel(int levelNumber, int workers) { return SolveBoard(ReadBoard(levelNumber), workers); }

LevelSolution SolveBoard(const BoardModel& board, int workers) {
  LevelSolution s;
  s.board = board;
  s.route = FindCheapestRoute(s.board);
  if (!s.route.found) {
    s.block = PlanBlock::Route;
    s.blockedBy = "route: scenery and the mine cut the start cell off from the finish cell";
    return s;
  }
  s.pieces = PiecesAlong(s.board, s.route.steps);
  s.ironCost = IronCost(s.pieces);
  s.plan = PlanWork(s.board, s.pieces, TravelCells(s.route.steps), workers);
  s.winnable = s.plan.feasible;
  s.blockedBy = s.plan.blockedBy;
  s.block = s.plan.block;
  return s;
}
