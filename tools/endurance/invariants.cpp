#include "tools/endurance/invariants.h"

#include "game/rules/board.h"
#include "game/rules/layouts.h"
#include "game/rules/match.h"
#include "game/rules/train.h"

namespace {

std::string Cell(int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; }

bool UnderScenery(const c_cLevel& level, int x, int y) {
  for (int i = 0; i < level.buildings.Length(); ++i) {
    const c_cBuilding* b = level.buildings[i];
    if (b->active == 1 && x >= b->x && x < b->x + BuildingWidth(b->kind) && y >= b->y &&
        y < b->y + BuildingHeight(b->kind)) {
      return true;
    }
  }
  return false;
}

bool UnderStones(const c_cLevel& level, int x, int y) {
  for (int i = 0; i < level.blockTiles.Length(); ++i) {
    const c_cBlockTile* s = level.blockTiles[i];
    if (s->active == 1 && s->x == x && s->y == y) return true;
  }
  return false;
}

bool UnderConstruction(const c_cLevel& level, int x, int y) {
  for (int i = 0; i < level.railTiles.Length(); ++i) {
    const c_cRailTile* r = level.railTiles[i];
    if (r->active == 1 && r->building == 1 && r->x == x && r->y == y) return true;
  }
  return false;
}

std::string CheckCells(const c_cLevel& level) {
  if (level.cellKinds.Length() != kCellCount) return "the board has " + std::to_string(level.cellKinds.Length()) + " cells";
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) {
      const int kind = level.CellKind(x, y);
      if (kind < CellBlocked || kind >= kPieceKindCount) {
        return "cell " + Cell(x, y) + " has kind " + std::to_string(kind);
      }
      if (kind == CellBlocked && !UnderScenery(level, x, y) && !UnderStones(level, x, y) &&
          !UnderConstruction(level, x, y)) {
        return "cell " + Cell(x, y) + " is blocked by no scenery, stones or piece under construction";
      }
    }
  }
  return "";
}

std::string CheckWorkers(const Match& match) {
  const c_cLevel& level = *match.board;
  int building = 0, clearing = 0;
  for (int i = 0; i < level.railTiles.Length(); ++i) {
    const c_cRailTile* r = level.railTiles[i];
    if (r->active != 1 || r->building != 1) continue;
    ++building;
    for (int j = i + 1; j < level.railTiles.Length(); ++j) {
      const c_cRailTile* o = level.railTiles[j];
      if (o->active == 1 && o->building == 1 && o->x == r->x && o->y == r->y) {
        return "two pieces are built on cell " + Cell(r->x, r->y);
      }
    }
  }
  for (int i = 0; i < level.blockTiles.Length(); ++i) {
    const c_cBlockTile* s = level.blockTiles[i];
    if (s->active == 1 && s->removing == 1) ++clearing;
  }
  const int inMine = level.mine->workers;
  if (match.run.freeWorkers < 0 || inMine < 0) {
    return "idle workers " + std::to_string(match.run.freeWorkers) + ", in the mine " + std::to_string(inMine);
  }
  const int placed = match.run.freeWorkers + inMine + building + clearing;
  if (placed != match.run.ownedWorkers) {
    return "workers idle " + std::to_string(match.run.freeWorkers) + " + in the mine " + std::to_string(inMine) +
           " + building " + std::to_string(building) + " + clearing " + std::to_string(clearing) + " = " +
           std::to_string(placed) + ", but " + std::to_string(match.run.ownedWorkers) + " are owned";
  }
  return "";
}

}  // namespace

std::string CheckGameInvariants(const Match& match, bool workersInPlay) {
  const c_cLevel& level = *match.board;
  const c_cTrain& train = *match.train;
  if (match.run.iron < 0) return "iron is " + std::to_string(match.run.iron);
  std::string fault = CheckCells(level);
  if (!fault.empty()) return fault;
  const bool onBoard = OnBoard(train.cellX, train.cellY);
  const bool leftOfBoard = train.cellX == -1 && train.cellY >= 0 && train.cellY < kRows;
  if (!onBoard && !leftOfBoard) return "the train stands on cell " + Cell(train.cellX, train.cellY);
  if (workersInPlay) return CheckWorkers(match);
  return "";
}
