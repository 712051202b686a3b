// A board being drawn by the level generator: the layout so far and which
// cells are already spoken for (scenery, stones, the mine, and the cells kept
// clear around START, FINISH and the ridges' gaps).
#pragma once

#include <array>

#include "game/rules/board.h"
#include "game/rules/layouts.h"

// Scenery kinds by what they look like, as the generator uses them.
namespace scenery {
constexpr int kPond = 0, kMountain = 1, kForest = 2, kWideWater = 3, kHill = 4, kGallows = 5;
constexpr int kBones = 6, kHouse = 7, kWaterTower = 8, kHut = 9, kCamp = 10, kCaravan = 11;
constexpr int kCoach = 12, kSkull = 13, kCrag = 14;
}  // namespace scenery

class BoardSketch {
 public:
  LevelLayout layout{};  // no mine, no tunnels, no iron until set

  bool IsFree(int x, int y) const { return OnBoard(x, y) && !taken_[CellIndex(x, y)]; }
  // Whether a track could pass: no scenery and no mine (stones are cleared).
  bool IsPassable(int x, int y) const { return OnBoard(x, y) && !solid_[CellIndex(x, y)]; }
  bool AreaFree(int x, int y, int width, int height) const;
  void Reserve(int x, int y) {
    if (OnBoard(x, y)) taken_[CellIndex(x, y)] = true;
  }
  // Places a scenery kind with its top-left cell at (x, y) if its whole
  // footprint is free and on the board.
  bool PlaceScenery(int kind, int x, int y);
  bool PlaceStones(int x, int y);
  bool PlaceGold(int x, int y);
  bool PlaceMine(int x, int y);
  // Whether any scenery of these kinds touches (x, y)'s footprint, corners included.
  bool SceneryNear(int x, int y, int width, int height, int kindA, int kindB) const;

 private:
  void Solidify(int x, int y, int width, int height);

  std::array<bool, kCellCount> taken_{};
  std::array<bool, kCellCount> solid_{};
};
