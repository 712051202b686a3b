#include "game/solver/joined_line.h"

namespace {

// The train never passes a cell by the same side twice, so a walk longer than
// every side of every cell is a loop.
constexpr int kMostSteps = kCellCount * 4;

bool AtTunnelEntrance(const c_cLevel& level, CellXY c) {
  const c_cTunnel* entrance = level.tunnels[0];
  return entrance->active == 1 && level.tunnels[1]->active == 1 && entrance->x == c.x && entrance->y == c.y;
}

}  // namespace

std::vector<RouteStep> JoinedLine(const c_cLevel& level) {
  std::vector<RouteStep> line;
  CellXY cell{level.startX, level.startY};
  int entry = SideWest;
  for (int step = 0; step < kMostSteps; ++step) {
    if (!OnBoard(cell.x, cell.y)) return {};
    const int exit = ExitThrough(level.CellKind(cell.x, cell.y), entry);
    if (exit < 0) return {};
    if (cell.x == level.finishX && cell.y == level.finishY) {
      line.push_back({cell, entry, exit});
      return line;
    }
    if (AtTunnelEntrance(level, cell)) {
      // Half-way through the entrance the train comes out of the other end.
      line.push_back({cell, entry, kThroughTunnel});
      const c_cTunnel* out = level.tunnels[1];
      cell = {out->x, out->y};
      line.push_back({cell, kThroughTunnel, out->side});
      entry = OppositeSide(out->side);
      cell = Neighbour(cell, out->side);
      continue;
    }
    line.push_back({cell, entry, exit});
    entry = OppositeSide(exit);
    cell = Neighbour(cell, exit);
  }
  return {};
}
