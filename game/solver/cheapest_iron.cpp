#include "game/solver/cheapest_iron.h"

#include <array>

#include "game/rules/state.h"
#include "game/solver/route_search.h"

namespace {

constexpr int kNotYetKnown = -1;

int CheapestIronOn(const BoardModel& board) {
  const Route route = FindCheapestRoute(board);
  if (!route.found) return 0;
  return IronCost(PiecesAlong(board, route.steps));
}

}  // namespace

int CheapestIronOf(const LevelLayout& layout) { return CheapestIronOn(ReadBoard(layout)); }

int CheapestIron(int levelNumber) {
  static std::array<int, kLevelCount> known = [] {
    std::array<int, kLevelCount> a{};
    a.fill(kNotYetKnown);
    return a;
  }();
  if (levelNumber < 1 || levelNumber > kLevelCount) return 0;
  int& iron = known[levelNumber - 1];
  if (iron == kNotYetKnown) iron = CheapestIronOn(ReadBoard(levelNumber));
  return iron;
}
