#include "game/solver/board_model.h"

namespace {

bool Inside(CellXY c, int left, int top, int width, int height) {
  return c.x >= left && c.x < left + width && c.y >= top && c.y < top + height;
}

bool UnderScenery(const LevelLayout& l, CellXY c) {
  for (const SceneryPlacement& s : l.scenery) {
    if (Inside(c, s.x, s.y, BuildingWidth(s.kind), BuildingHeight(s.kind))) return true;
  }
  return false;
}

bool Listed(const std::vector<CellXY>& cells, CellXY c) {
  for (CellXY e : cells) {
    if (e.x == c.x && e.y == c.y) return true;
  }
  return false;
}

constexpr int kMineSize = 2;

// What lies on one cell. Scenery and stones make the cell blocked whatever
// else was placed there; the mine takes the clicks on its cells.
Ground GroundOf(const LevelLayout& l, CellXY c) {
  if (UnderScenery(l, c)) return Ground::Blocked;
  if (Listed(l.stones, c)) return Ground::Stones;
  if (l.hasMine && Inside(c, l.mine.x, l.mine.y, kMineSize, kMineSize)) return Ground::Mine;
  if (l.hasTunnels && c.x == l.tunnels.x0 && c.y == l.tunnels.y0) return Ground::TunnelEntrance;
  if (l.hasTunnels && c.x == l.tunnels.x1 && c.y == l.tunnels.y1) return Ground::TunnelExit;
  if (Listed(l.gold, c)) return Ground::Gold;
  return Ground::Free;
}

}  // namespace

BoardModel ReadBoard(int levelNumber) { return ReadBoard(LevelLayoutOf(levelNumber), levelNumber); }

BoardModel ReadBoard(const LevelLayout& l, int levelNumber) {
  BoardModel b = ReadBoard(l);
  b.levelNumber = levelNumber;
  return b;
}

BoardModel ReadBoard(const LevelLayout& l) {
  BoardModel b;
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) b.cells[CellIndex(x, y)] = GroundOf(l, {x, y});
  }
  b.start = l.start;
  b.finish = l.finish;
  b.hasTunnels = l.hasTunnels;
  b.tunnels = l.tunnels;
  b.iron = l.iron;
  b.hasMine = l.hasMine;
  b.mineReserve = l.mineReserve;
  b.mine = l.mine;
  return b;
}

bool OnTunnelAxis(int tunnelSide, int side) { return tunnelSide % 2 == side % 2; }
