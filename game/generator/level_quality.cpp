#include "game/generator/level_quality.h"

#include <cstdlib>

#include "game/generator/board_sketch.h"
#include "game/rules/economy.h"

namespace {

bool IsCurve(int kind) { return PieceCost(kind) == kCurveCost; }

// The track bends away from the straight line and back (two curves), and on
// medium and hard round something and back again (four).
bool Bends(const LevelSolution& s, int least) {
  int curves = 0;
  for (const TrackPiece& p : s.pieces) curves += IsCurve(p.kind);
  return curves >= least;
}

// No edge of the board more than half scenery: the board opens out.
bool EdgesOpen(const BoardModel& board) {
  int top = 0, bottom = 0, west = 0, east = 0;
  for (int x = 0; x < kColumns; ++x) {
    top += board.At(x, 0) == Ground::Blocked;
    bottom += board.At(x, kRows - 1) == Ground::Blocked;
  }
  for (int y = 0; y < kRows; ++y) {
    west += board.At(0, y) == Ground::Blocked;
    east += board.At(kColumns - 1, y) == Ground::Blocked;
  }
  return 2 * top <= kColumns && 2 * bottom <= kColumns && 2 * west <= kRows && 2 * east <= kRows;
}

bool Touching(const SceneryPlacement& a, const SceneryPlacement& b) {
  const bool apartX = b.x > a.x + BuildingWidth(a.kind) || b.x + BuildingWidth(b.kind) < a.x;
  const bool apartY = b.y > a.y + BuildingHeight(a.kind) || b.y + BuildingHeight(b.kind) < a.y;
  return !apartX && !apartY;
}

bool IsWater(int kind) { return kind == scenery::kPond || kind == scenery::kWideWater; }

bool PondsApart(const LevelLayout& l) {
  for (size_t i = 0; i < l.scenery.size(); ++i) {
    for (size_t j = i + 1; j < l.scenery.size(); ++j) {
      if (IsWater(l.scenery[i].kind) && IsWater(l.scenery[j].kind) && Touching(l.scenery[i], l.scenery[j])) return false;
    }
  }
  return true;
}

// Every forest stands beside other scenery (a wood, or the foot of a
// mountain), never alone in the open.
bool ForestsClustered(const LevelLayout& l) {
  for (const SceneryPlacement& f : l.scenery) {
    if (f.kind != scenery::kForest) continue;
    bool beside = false;
    for (const SceneryPlacement& o : l.scenery) {
      if (&o != &f && o.kind != scenery::kPond && Touching(f, o)) beside = true;
    }
    if (!beside) return false;
  }
  return true;
}

}  // namespace

bool StonesOnRoute(const LevelSolution& s) {
  for (const TrackPiece& p : s.pieces) {
    if (p.onStones) return true;
  }
  return false;
}

double DetourRatio(const LevelSolution& s) {
  const int straight = std::abs(s.board.finish.x - s.board.start.x) + std::abs(s.board.finish.y - s.board.start.y) + 1;
  return static_cast<double>(s.route.steps.size()) / straight;
}

std::string QualityFault(const LevelLayout& l, const LevelSolution& s, Difficulty difficulty) {
  if (!s.winnable) return "not winnable: " + s.blockedBy;
  const bool easy = difficulty == Difficulty::Easy;
  if (!easy && DetourRatio(s) < kLeastDetour - 1e-9) return "no detour: the route is barely longer than the straight line";
  if (!Bends(s, easy ? 2 : 4)) return "no bends: the track hardly needs a curve";
  if (!easy && !StonesOnRoute(s)) return "no stones: nothing to clear on the cheapest route";
  if (difficulty == Difficulty::Hard) {
    if (!l.hasMine || l.iron >= s.ironCost) return "iron: the start iron pays for the whole track";
    const double ratio = static_cast<double>(l.iron + l.mineReserve) / s.ironCost;
    if (ratio < kHardIronLow || ratio > kHardIronHigh) return "iron: the mine and start iron are not tight";
  }
  if (!EdgesOpen(s.board)) return "walled: an edge of the board is mostly scenery";
  if (!PondsApart(l)) return "ponds: two ponds touch";
  if (!ForestsClustered(l)) return "forests: a forest stands alone";
  return "";
}
