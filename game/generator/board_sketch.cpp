#include "game/generator/board_sketch.h"

bool BoardSketch::AreaFree(int x, int y, int width, int height) const {
  for (int dx = 0; dx < width; ++dx) {
    for (int dy = 0; dy < height; ++dy) {
      if (!IsFree(x + dx, y + dy)) return false;
    }
  }
  return true;
}

bool BoardSketch::PlaceScenery(int kind, int x, int y) {
  const int width = BuildingWidth(kind), height = BuildingHeight(kind);
  if (!AreaFree(x, y, width, height)) return false;
  Solidify(x, y, width, height);
  layout.scenery.push_back({kind, x, y});
  return true;
}

bool BoardSketch::PlaceStones(int x, int y) {
  if (!IsFree(x, y)) return false;
  Reserve(x, y);
  layout.stones.push_back({x, y});
  return true;
}

bool BoardSketch::PlaceGold(int x, int y) {
  if (!IsFree(x, y)) return false;
  Reserve(x, y);
  layout.gold.push_back({x, y});
  return true;
}

bool BoardSketch::PlaceMine(int x, int y) {
  if (!AreaFree(x, y, 2, 2)) return false;
  Solidify(x, y, 2, 2);
  layout.hasMine = true;
  layout.mine = {x, y};
  return true;
}

bool BoardSketch::SceneryNear(int x, int y, int width, int height, int kindA, int kindB) const {
  for (const SceneryPlacement& s : layout.scenery) {
    if (s.kind != kindA && s.kind != kindB) continue;
    const bool apartX = s.x > x + width || s.x + BuildingWidth(s.kind) < x;
    const bool apartY = s.y > y + height || s.y + BuildingHeight(s.kind) < y;
    if (!apartX && !apartY) return true;
  }
  return false;
}

void BoardSketch::Solidify(int x, int y, int width, int height) {
  for (int dx = 0; dx < width; ++dx) {
    for (int dy = 0; dy < height; ++dy) {
      Reserve(x + dx, y + dy);
      solid_[CellIndex(x + dx, y + dy)] = true;
    }
  }
}
