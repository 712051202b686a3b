// Whether two layouts describe the same level, field by field: what a level
// file read back after writing must give.
#pragma once

#include "game/rules/layouts.h"

inline bool operator==(CellXY a, CellXY b) { return a.x == b.x && a.y == b.y; }
inline bool operator==(const SceneryPlacement& a, const SceneryPlacement& b) {
  return a.kind == b.kind && a.x == b.x && a.y == b.y;
}
inline bool operator==(const TunnelPair& a, const TunnelPair& b) {
  return a.side0 == b.side0 && a.x0 == b.x0 && a.y0 == b.y0 && a.side1 == b.side1 && a.x1 == b.x1 && a.y1 == b.y1;
}
inline bool operator==(const LevelLayout& a, const LevelLayout& b) {
  return a.start == b.start && a.finish == b.finish && a.iron == b.iron && a.hasMine == b.hasMine &&
         a.mineReserve == b.mineReserve && a.mine == b.mine && a.hasTunnels == b.hasTunnels &&
         a.tunnels == b.tunnels && a.events == b.events && a.banditsKind == b.banditsKind &&
         a.indigensKind == b.indigensKind && a.firstTutorialPage == b.firstTutorialPage && a.scenery == b.scenery &&
         a.stones == b.stones && a.gold == b.gold && a.name == b.name;
}
inline bool operator!=(const LevelLayout& a, const LevelLayout& b) { return !(a == b); }
