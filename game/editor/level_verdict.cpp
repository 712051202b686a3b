#include "game/editor/level_verdict.h"

#include "game/rules/state.h"
#include "game/solver/solution.h"
#include "game/solver/solution_text.h"

namespace {

std::string WinnableText(const LevelVerdict& v) {
  return "Winnable: " + std::to_string(v.pieces) + " pieces, " + std::to_string(v.iron) + " iron, arrives at " +
         MinutesSeconds(v.arrivalMs);
}

std::string NoWayText(const LevelLayout& level, const LevelSolution& s) {
  switch (s.block) {
    case PlanBlock::Iron: {
      const std::string mine = level.hasMine ? "and " + std::to_string(level.mineReserve) + " in the mine" : "and no mine";
      return "No way: " + std::to_string(s.ironCost) + " iron needed, " + std::to_string(level.iron) + " at hand " + mine;
    }
    case PlanBlock::Time: return "No way: the workers cannot finish before the train leaves";
    default: return "No way: FINISH cannot be reached";
  }
}

}  // namespace

LevelVerdict JudgeLevel(const LevelLayout& level) {
  const LevelSolution s = SolveBoard(ReadBoard(level), kNewGameWorkers);
  LevelVerdict v;
  v.winnable = s.winnable;
  v.route = s.route;
  if (s.route.found) {
    v.pieces = static_cast<int>(s.pieces.size());
    v.iron = s.ironCost;
  }
  if (s.winnable) v.arrivalMs = s.plan.arrivalMs;
  v.text = s.winnable ? WinnableText(v) : NoWayText(level, s);
  return v;
}
