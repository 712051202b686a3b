// The fifteen levels. Cells are written "x,y" (column 0..12, row 0..8), several
// separated by spaces, exactly as the level designs list them.
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "game/rules/layouts.h"

namespace {

std::vector<CellXY> Cells(const char* text) {
  std::vector<CellXY> cells;
  const char* p = text;
  while (*p) {
    while (*p == ' ') ++p;
    if (!*p) break;
    char* end = nullptr;
    const int x = static_cast<int>(std::strtol(p, &end, 10));
    const int y = static_cast<int>(std::strtol(end + 1, &end, 10));
    cells.push_back({x, y});
    p = end;
  }
  return cells;
}

struct SceneryGroup {
  int kind;
  const char* cells;
};

std::vector<SceneryPlacement> Scenery(std::initializer_list<SceneryGroup> groups) {
  std::vector<SceneryPlacement> placements;
  for (const SceneryGroup& g : groups) {
    for (CellXY c : Cells(g.cells)) placements.push_back({g.kind, c.x, c.y});
  }
  return placements;
}

// Building kinds by name, for reading the table.
enum {
  Pond = 0, Mountain = 1, Forest = 2, Pond2x = 3, Hill = 4, Hangman = 5, Dinosaur = 6, House = 7,
  WaterTower = 8, Cort = 9, Corturi = 10, Caravan = 11, Diligenta = 12, Skull = 13, Mountain2 = 14,
};

constexpr int N = SideNorth, E = SideEast, S = SideSouth, W = SideWest;

const TunnelPair kNoTunnels = {0, 0, 0, 0, 0, 0};

LevelLayout Level(CellXY start, CellXY finish, int iron, int mineReserve, CellXY mine, int banditsKind,
                  int indigensKind, int tutorial) {
  LevelLayout l;
  l.start = start;
  l.finish = finish;
  l.iron = iron;
  l.hasMine = mineReserve > 0;
  l.mineReserve = mineReserve;
  l.mine = mine;
  l.hasTunnels = false;
  l.tunnels = kNoTunnels;
  l.events = EventsConfigured;
  l.banditsKind = banditsKind;
  l.indigensKind = indigensKind;
  l.firstTutorialPage = tutorial;
  return l;
}

LevelLayout WithTunnels(LevelLayout l, TunnelPair t) {
  l.hasTunnels = true;
  l.tunnels = t;
  return l;
}

LevelLayout WithContents(LevelLayout l, std::vector<SceneryPlacement> scenery, const char* stones, const char* gold) {
  l.scenery = std::move(scenery);
  l.stones = Cells(stones);
  l.gold = Cells(gold);
  return l;
}

std::vector<LevelLayout> BuildTable() {
  std::vector<LevelLayout> t;
  const CellXY none = {0, 0};

  LevelLayout l1 = Level({0, 4}, {12, 4}, 2000, 0, none, 0, 0, 0);
  l1.events = EventsCleared;
  t.push_back(WithContents(l1, Scenery({{Pond, "2,2"}, {Mountain, "6,4"}, {Pond2x, "9,4"}}), "", ""));

  // The second level has neither bandits nor raiders, whatever the level
  // before it had.
  t.push_back(WithContents(Level({0, 7}, {12, 2}, 500, 2000, {1, 1}, 0, 0, 6),
                           Scenery({{Mountain, "2,5 5,3 5,7"}, {Forest, "5,6"}}), "", "4,6 4,7"));

  t.push_back(WithContents(
      Level({0, 4}, {12, 2}, 800, 2200, {9, 7}, 1, 0, kNoTutorial),
      Scenery({{Pond, "9,4"},
               {Mountain, "5,0 7,1 9,1"},
               {Forest, "2,4 2,6 3,3 3,4 3,5 3,6 4,3 4,4 4,5 5,7 6,6 6,7 7,5 7,6"}}),
      "", "7,7 8,7"));

  t.push_back(WithContents(
      Level({0, 4}, {12, 5}, 800, 3200, {1, 1}, 0, 1, 11),
      Scenery({{Mountain, "3,0 11,7"},
               {Forest,
                "1,3 2,4 2,8 3,4 3,8 4,3 4,4 4,8 5,0 5,7 5,8 6,0 6,3 6,5 6,6 7,0 7,4 7,5 7,8 8,1 8,2 8,8 9,2 "
                "9,3 9,4 9,5 9,7"},
               {Pond2x, "2,5 11,3"},
               {WaterTower, "6,1"},
               {Skull, "11,1"}}),
      "3,7 4,6 4,7", "7,6 7,7"));

  t.push_back(WithContents(
      Level({0, 1}, {12, 2}, 700, 3500, {2, 5}, 1, 1, kNoTutorial),
      Scenery({{Pond, "7,2 9,1"},
               {Mountain, "0,5 0,7 2,7 10,5"},
               {Forest, "0,3 0,4 2,0 2,1 2,3 4,4 4,7 4,8 5,2 5,5 5,7 5,8 7,0 7,7 8,0 8,7 9,0 10,0 10,1 10,2"},
               {Pond2x, "3,0 7,4"},
               {House, "5,6"},
               {WaterTower, "9,2"}}),
      "2,2 3,2 7,3 8,3 9,3", "5,0 5,1 6,0 12,4 12,5"));

  t.push_back(WithContents(
      WithTunnels(Level({0, 4}, {12, 1}, 700, 3800, {10, 5}, 2, 0, kNoTutorial), {W, 4, 3, E, 8, 3}),
      Scenery({{Pond, "2,2"},
               {Mountain, "1,7 8,0 8,5 10,7"},
               {Forest, "1,2 2,0 2,1 2,3 2,4 3,4 3,6 4,4 4,6 6,7"},
               {Pond2x, "3,7 8,7"},
               {Hill, "5,2 7,2"},
               {Hangman, "7,1"},
               {Skull, "11,3"}}),
      "4,2 5,1 5,6 5,7 6,2 6,3 6,4 7,6 7,7 9,3", "5,8 6,1 6,8 7,8"));

  t.push_back(WithContents(
      WithTunnels(Level({0, 3}, {12, 4}, 500, 3000, {5, 3}, 2, 1, kNoTutorial), {W, 5, 1, W, 12, 8}),
      Scenery({{Pond, "3,4 3,5 8,8 11,2"},
               {Mountain, "6,7 7,5 10,5 11,0"},
               {Forest, "2,4 2,5 3,2 3,3 3,6 8,7 11,3 12,2 12,3"},
               {Pond2x, "0,7 1,0 9,2"},
               {Hill, "6,0"},
               {Diligenta, "12,7"},
               {Skull, "5,8"},
               {Mountain2, "9,0"}}),
      "9,7 9,8 10,7 10,8 11,7 11,8", "4,1 4,2 4,3 4,4 4,5"));

  t.push_back(WithContents(
      WithTunnels(Level({0, 1}, {12, 5}, 500, 4500, {11, 0}, 2, 2, kNoTutorial), {N, 7, 2, N, 12, 8}),
      Scenery({{Pond, "1,1 9,1 10,6"},
               {Mountain, "1,6 2,0 2,4 5,3 7,3"},
               {Forest, "1,0 1,5 5,8 6,8 7,6 7,7 7,8 8,0 8,1 8,2 9,0 9,2 9,6 10,0 10,1 10,2 10,5 10,7 11,6 12,6"},
               {Pond2x, "5,1 5,6"},
               {Dinosaur, "2,2"},
               {WaterTower, "0,0"},
               {Cort, "9,7"}}),
      "0,6 0,7 0,8 1,8 2,8 4,0 5,0 6,0", "1,2 1,3 1,4 4,1 4,2 4,3"));

  t.push_back(WithContents(
      Level({0, 5}, {12, 5}, 500, 4500, {8, 1}, 3, 1, kNoTutorial),
      Scenery({{Pond, "3,8 4,8 8,4 9,3 9,4 9,8 10,8 11,2"},
               {Mountain, "2,3 3,5"},
               {Forest,
                "0,8 1,4 1,6 1,7 1,8 4,1 5,1 6,4 6,5 6,6 8,0 8,3 8,5 8,8 9,5 9,6 10,2 11,1 11,3 11,8 12,2"},
               {Pond2x, "0,2 6,7"},
               {Hangman, "12,0"},
               {Caravan, "5,2"},
               {Diligenta, "12,1"}}),
      "3,0 4,0 4,3 4,4 5,0 5,4 5,5 5,6", "2,1 2,2 3,1 3,2 9,7"));

  t.push_back(WithContents(
      WithTunnels(Level({0, 6}, {12, 2}, 500, 5000, {5, 0}, 3, 2, kNoTutorial), {N, 5, 8, N, 7, 1}),
      Scenery({{Pond, "7,6 9,4"},
               {Mountain, "2,7 5,3 10,0"},
               {Forest, "0,0 1,0 1,1 2,4 2,5 3,3 3,6 4,0 6,2 6,5 6,6 7,2 8,1 8,2 10,4 10,5 11,3 11,5 12,7 12,8"},
               {Pond2x, "9,6"},
               {Cort, "3,4"},
               {Corturi, "2,0"},
               {Mountain2, "6,7"}}),
      "4,3 4,4 7,0 8,0 9,0 9,8 10,2 10,8 11,2 11,7 11,8", "5,5 5,6 5,7 8,7 8,8"));

  t.push_back(WithContents(
      Level({0, 0}, {12, 3}, 800, 5000, {0, 3}, 3, 3, kNoTutorial),
      Scenery({{Pond, "8,4 10,0"},
               {Mountain, "0,1 2,1 5,1"},
               {Forest, "2,5 3,5 3,6 3,7 4,4 4,5 4,7 5,4 6,6 7,1 8,1 10,1"},
               {Pond2x, "2,3 7,2 10,6"},
               {Dinosaur, "0,7"},
               {WaterTower, "7,4"},
               {Corturi, "10,3"},
               {Caravan, "7,5"}}),
      "4,1 4,2 5,0 6,0 6,4 6,5 7,0 8,0 8,7 9,0", "4,3 5,3 6,3 7,7 9,7"));

  t.push_back(WithContents(
      WithTunnels(Level({0, 0}, {12, 5}, 500, 6000, {11, 7}, 3, 3, kNoTutorial), {S, 5, 3, E, 9, 5}),
      Scenery({{Pond, "3,8 5,8 6,8 9,7"},
               {Mountain, "0,2 1,5 2,1 6,5 8,1 10,1"},
               {Forest, "1,8 2,8 7,8 8,5 8,8 9,4 10,4 11,4 12,4"},
               {Pond2x, "4,1"},
               {House, "4,8"},
               {Cort, "1,1"},
               {Skull, "7,1"},
               {Mountain2, "4,5 6,2"}}),
      "1,7 2,7 3,4 3,5 3,6 4,7 6,7 7,7 8,7 10,5 10,6 11,5 11,6", "0,4 0,5 0,6 0,7 3,7"));

  t.push_back(WithContents(
      Level({0, 8}, {12, 4}, 500, 6000, {0, 1}, 3, 3, kNoTutorial),
      Scenery({{Pond, "2,7 2,8 10,7 11,6"},
               {Mountain, "2,4 5,0 9,5"},
               {Forest, "0,7 2,6 3,1 3,2 4,7 5,3 5,6 7,1 7,3 8,5 9,0 9,7 9,8 10,0 10,1 10,8 11,0 11,1 11,5 11,7 12,3"},
               {Pond2x, "7,7 9,2"},
               {Hangman, "5,7"},
               {Dinosaur, "5,4"},
               {Diligenta, "6,3"}}),
      "2,2 3,0 3,6 3,7 3,8 4,1 4,4 4,6 7,6 8,1 8,2 8,3 8,4 9,1 10,4", "2,0 2,1 4,0 4,5 4,8"));

  t.push_back(WithContents(
      WithTunnels(Level({0, 0}, {12, 4}, 500, 6000, {6, 3}, 3, 3, kNoTutorial), {E, 8, 1, S, 2, 2}),
      Scenery({{Mountain, "0,1 1,4 4,6 7,6 8,2"},
               {Forest, "4,4 5,2 5,3 9,7 10,3 10,5 10,6 10,7 11,5 11,6"},
               {Pond2x, "1,7 3,2"},
               {Cort, "0,7"},
               {Caravan, "6,1"},
               {Skull, "0,8"},
               {Mountain2, "11,1"}}),
      "4,5 5,5 6,5 6,7 6,8 7,5 7,8 8,4 8,5 8,8 9,4 9,5 9,6 9,8 10,1 10,2 10,8 11,8 12,6",
      "4,8 5,8 6,6 10,4 11,4"));

  t.push_back(WithContents(
      Level({0, 8}, {12, 5}, 500, 6000, {4, 7}, 3, 3, kNoTutorial),
      Scenery({{Pond, "9,0 10,1"},
               {Mountain, "1,5 3,0 4,4 7,6 9,6"},
               {Forest, "1,2 1,3 1,4 1,7 7,0 7,2 7,3 7,4 7,5 8,0 8,3 10,0 10,5 11,6 12,6"},
               {Pond2x, "2,7 3,2"},
               {House, "10,3"},
               {WaterTower, "1,1"},
               {Corturi, "11,7"}}),
      "0,2 0,3 0,5 2,2 2,3 2,4 3,4 7,1 7,8 8,1 8,2 8,8 9,1 9,2 9,8 10,2 10,8",
      "0,1 0,4 0,6 5,0 5,1 6,0 6,1 8,4 8,5 9,4 9,5"));
  return t;
}

}  // namespace

const std::vector<LevelLayout>& LevelTable() {
  static const std::vector<LevelLayout> table = BuildTable();
  return table;
}

const LevelLayout& LevelLayoutOf(int levelNumber) {
  const std::vector<LevelLayout>& table = LevelTable();
  if (levelNumber < 1) levelNumber = 1;
  if (levelNumber > static_cast<int>(table.size())) levelNumber = static_cast<int>(table.size());
  return table[levelNumber - 1];
}
