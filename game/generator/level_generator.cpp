#include "game/generator/level_generator.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "game/generator/board_sketch.h"
#include "game/generator/level_quality.h"
#include "game/generator/seeded_random.h"
#include "game/rules/state.h"
#include "game/solver/route_search.h"

namespace {

using namespace scenery;

// A wall of scenery across the board from one edge, with a gap at the other
// that the track has to find. Two of them make the route snake.
struct Ridge {
  int column;
  bool gapBelow;  // the gap is at the bottom edge (else at the top)
  int gapRows;
};

bool InGap(const Ridge& ridge, int row) {
  return ridge.gapBelow ? row >= kRows - ridge.gapRows : row < ridge.gapRows;
}

std::vector<Ridge> ChooseRidges(SeededRandom& random, Difficulty difficulty) {
  const int count = difficulty == Difficulty::Easy ? random.Below(2) : difficulty == Difficulty::Medium ? random.Between(1, 2) : 2;
  const int gapRows = difficulty == Difficulty::Easy ? random.Between(2, 3) : random.Between(1, 2);
  const bool firstBelow = random.Percent(50);
  if (count == 1) return {{random.Between(4, 8), firstBelow, gapRows}};
  if (count == 0) return {};
  // Four columns apart, so a mountain on the first and a thickened forest on
  // the second still leave a corridor between them.
  return {{random.Between(3, 4), firstBelow, gapRows}, {random.Between(8, 9), !firstBelow, gapRows}};
}

// START on the west edge and FINISH on the east, on the side of the board
// away from the first and the last ridge's gaps, so the route has to go round.
void PlaceEnds(BoardSketch& b, SeededRandom& random, const std::vector<Ridge>& ridges) {
  auto awayFrom = [&](bool gapBelow) { return gapBelow ? random.Between(0, 3) : random.Between(5, 8); };
  const int startRow = ridges.empty() ? random.Between(1, 7) : awayFrom(ridges.front().gapBelow);
  const int finishRow = ridges.empty() ? random.Between(1, 7) : awayFrom(ridges.back().gapBelow);
  b.layout.start = {0, startRow};
  b.layout.finish = {kColumns - 1, finishRow};
  for (int dx = 0; dx < 2; ++dx) {
    b.Reserve(dx, startRow);
    b.Reserve(kColumns - 1 - dx, finishRow);
  }
}

// The gap's own cells, and the cells either side of it, stay clear of
// scenery; on medium and hard the gap itself is stones to clear.
void KeepGapOpen(BoardSketch& b, const Ridge& ridge, Difficulty difficulty) {
  for (int row = 0; row < kRows; ++row) {
    if (!InGap(ridge, row)) continue;
    if (difficulty == Difficulty::Easy) b.Reserve(ridge.column, row);
    else b.PlaceStones(ridge.column, row);
    b.Reserve(ridge.column - 1, row);
    b.Reserve(ridge.column + 1, row);
  }
}

// A mountain range (mountains, crags, hills, a forest between) or a forest
// belt (forests, thickened here and there, a hill now and then).
void RaiseRidge(BoardSketch& b, SeededRandom& random, const Ridge& ridge) {
  const bool range = random.Percent(50);
  int row = 0;
  while (row < kRows) {
    if (InGap(ridge, row)) {
      ++row;
      continue;
    }
    int left = 0;
    while (row + left < kRows && !InGap(ridge, row + left)) ++left;
    const int c = ridge.column;
    if (range && left >= 2 && random.Percent(60) && b.PlaceScenery(random.Percent(70) ? kMountain : kCrag, c, row)) {
      row += 2;
    } else if (left >= 3 && random.Percent(range ? 40 : 15) && b.PlaceScenery(kHill, c, row)) {
      row += 3;
    } else {
      b.PlaceScenery(kForest, c, row);
      if (!range && random.Percent(35)) b.PlaceScenery(kForest, c + (random.Percent(50) ? 1 : -1), row);
      ++row;
    }
  }
}

// One shortest way from START to FINISH through what is drawn so far, ties
// broken at random, kept clear of everything drawn after it: whatever the
// decoration does, the level stays joinable.
void KeepAWayThrough(BoardSketch& b, SeededRandom& random) {
  std::array<int, kCellCount> from;
  from.fill(-1);
  const CellXY start = b.layout.start, finish = b.layout.finish;
  std::vector<int> frontier = {CellIndex(start.x, start.y)};
  from[frontier[0]] = frontier[0];
  static constexpr int kStep[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (size_t i = 0; i < frontier.size(); ++i) {
    const int cell = frontier[i], x = cell / kRows, y = cell % kRows;
    const int turn = random.Below(4);
    for (int k = 0; k < 4; ++k) {
      const int nx = x + kStep[(k + turn) % 4][0], ny = y + kStep[(k + turn) % 4][1];
      if (!b.IsPassable(nx, ny) || from[CellIndex(nx, ny)] >= 0) continue;
      from[CellIndex(nx, ny)] = cell;
      frontier.push_back(CellIndex(nx, ny));
    }
  }
  int cell = CellIndex(finish.x, finish.y);
  if (from[cell] < 0) return;
  while (from[cell] != cell) {
    b.Reserve(cell / kRows, cell % kRows);
    cell = from[cell];
  }
}

struct FreeCell {
  int x, y;
};

// A free cell away from the west and east columns, or {-1, -1} after a few tries.
FreeCell RandomFreeCell(const BoardSketch& b, SeededRandom& random, int width = 1, int height = 1) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    const int x = random.Between(1, kColumns - 1 - width), y = random.Between(0, kRows - height);
    if (b.AreaFree(x, y, width, height)) return {x, y};
  }
  return {-1, -1};
}

// A wood grows from one tree to its neighbours, so forests stand together.
void GrowForest(BoardSketch& b, SeededRandom& random) {
  const FreeCell seed = RandomFreeCell(b, random);
  if (seed.x < 0 || !b.PlaceScenery(kForest, seed.x, seed.y)) return;
  std::vector<FreeCell> wood = {seed};
  static constexpr int kStep[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  const int size = random.Between(3, 6);
  for (int tries = 0; static_cast<int>(wood.size()) < size && tries < 24; ++tries) {
    const FreeCell from = wood[random.Below(static_cast<int>(wood.size()))];
    const int* step = kStep[random.Below(4)];
    const FreeCell next = {from.x + step[0], from.y + step[1]};
    if (next.x > 0 && next.x < kColumns - 1 && b.PlaceScenery(kForest, next.x, next.y)) wood.push_back(next);
  }
}

void AddPonds(BoardSketch& b, SeededRandom& random, int count) {
  for (int i = 0; i < count; ++i) {
    const bool wide = random.Percent(30);
    const int size = wide ? 2 : 1;
    const FreeCell at = RandomFreeCell(b, random, size, size);
    if (at.x < 0 || b.SceneryNear(at.x, at.y, size, size, kPond, kWideWater)) continue;
    b.PlaceScenery(wide ? kWideWater : kPond, at.x, at.y);
  }
}

void AddLandmarks(BoardSketch& b, SeededRandom& random, int count) {
  static constexpr int kSmall[] = {kHouse, kWaterTower, kHut, kCoach, kSkull, kGallows};
  static constexpr int kLarge[] = {kBones, kCamp, kCaravan};
  for (int i = 0; i < count; ++i) {
    const bool large = random.Percent(30);
    const int kind = large ? kLarge[random.Below(3)] : kSmall[random.Below(6)];
    const FreeCell at = RandomFreeCell(b, random, BuildingWidth(kind), BuildingHeight(kind));
    if (at.x >= 0) b.PlaceScenery(kind, at.x, at.y);
  }
}

// Rubble lies where scenery meets open ground.
void ScatterStones(BoardSketch& b, SeededRandom& random, int count) {
  for (int i = 0, tries = 0; i < count && tries < 60; ++tries) {
    const FreeCell at = RandomFreeCell(b, random);
    if (at.x < 0) return;
    const bool bySceneryX = !b.IsFree(at.x - 1, at.y) || !b.IsFree(at.x + 1, at.y);
    if (bySceneryX && b.PlaceStones(at.x, at.y)) ++i;
  }
}

void ScatterGold(BoardSketch& b, SeededRandom& random, int count) {
  for (int i = 0; i < count; ++i) {
    const FreeCell at = RandomFreeCell(b, random);
    if (at.x >= 0) b.PlaceGold(at.x, at.y);
  }
}

void DigMine(BoardSketch& b, SeededRandom& random) {
  const FreeCell at = RandomFreeCell(b, random, 2, 2);
  if (at.x >= 0) b.PlaceMine(at.x, at.y);
}

bool WantsMine(SeededRandom& random, Difficulty difficulty) {
  if (difficulty == Difficulty::Hard) return true;
  return difficulty == Difficulty::Medium && random.Percent(50);
}

LevelLayout SketchBoard(SeededRandom& random, Difficulty difficulty) {
  BoardSketch b;
  b.layout.events = EventsConfigured;
  b.layout.firstTutorialPage = kNoTutorial;
  const std::vector<Ridge> ridges = ChooseRidges(random, difficulty);
  PlaceEnds(b, random, ridges);
  for (const Ridge& ridge : ridges) KeepGapOpen(b, ridge, difficulty);
  for (const Ridge& ridge : ridges) RaiseRidge(b, random, ridge);
  KeepAWayThrough(b, random);
  if (WantsMine(random, difficulty)) DigMine(b, random);
  for (int i = random.Between(1, 3); i > 0; --i) GrowForest(b, random);
  AddPonds(b, random, random.Between(1, 3));
  AddLandmarks(b, random, random.Between(1, 3));
  if (difficulty != Difficulty::Easy) ScatterStones(b, random, random.Between(1, 4));
  ScatterGold(b, random, random.Between(2, 4));
  return b.layout;
}

// Percentages of the track's cost, in integers: the same iron on every machine.
int PercentOf(int cost, int percent) { return cost * percent / 100 / 50 * 50; }

// Start iron and the mine's reserve against the cheapest track's cost: ample
// on easy, close on medium, and on hard less than the track needs, so the
// mine has to make up the rest with little to spare.
void SetIron(LevelLayout& l, SeededRandom& random, Difficulty difficulty, int cost) {
  const bool hard = difficulty == Difficulty::Hard;
  if (!l.hasMine) {
    l.iron = PercentOf(cost, difficulty == Difficulty::Easy ? random.Between(155, 190) : random.Between(125, 140)) + 50;
    l.mineReserve = 0;
    return;
  }
  l.iron = std::max(200, PercentOf(cost, hard ? random.Between(55, 80) : random.Between(85, 105)));
  const int total = PercentOf(cost, hard ? random.Between(120, 140) : random.Between(140, 170));
  l.mineReserve = std::max(250, total - l.iron);
}

// A place name from the seed: two words a surveyor might have put on a map.
std::string PlaceName(SeededRandom& random) {
  static constexpr const char* kFirst[] = {"Dry",    "Red",    "Lone",  "Copper", "Dusty", "Broken", "Silver", "Cold",
                                           "Crooked", "High",  "Rattle", "Bitter", "Long",  "Black", "Windy",  "Stony"};
  static constexpr const char* kSecond[] = {"Creek", "Pass",  "Gulch", "Mesa",    "Ridge", "Hollow", "Flats", "Bend",
                                            "Springs", "Canyon", "Butte", "Junction", "Wells", "Fork",  "Draw",  "Bluff"};
  const char* first = kFirst[random.Below(16)];
  return std::string(first) + " " + kSecond[random.Below(16)];
}

void SetEvents(LevelLayout& l, SeededRandom& random, Difficulty difficulty) {
  l.banditsKind = l.indigensKind = 0;
  if (difficulty == Difficulty::Medium) {
    (random.Percent(50) ? l.banditsKind : l.indigensKind) = 1;
  } else if (difficulty == Difficulty::Hard) {
    l.banditsKind = random.Between(1, 2);
    l.indigensKind = random.Between(1, 2);
  }
}

struct Draw {
  LevelLayout layout;
  LevelSolution solution;
  bool solved = false;
};

Draw DrawLevel(std::uint32_t seed, Difficulty difficulty) {
  SeededRandom random(seed);
  Draw d;
  d.layout = SketchBoard(random, difficulty);
  const Route route = FindCheapestRoute(ReadBoard(d.layout));
  if (!route.found) return d;
  const int cost = IronCost(PiecesAlong(ReadBoard(d.layout), route.steps));
  SetIron(d.layout, random, difficulty, cost);
  SetEvents(d.layout, random, difficulty);
  d.layout.name = PlaceName(random);
  d.solution = SolveBoard(ReadBoard(d.layout), kNewGameWorkers);
  d.solved = true;
  return d;
}

}  // namespace

const char* DifficultyName(Difficulty difficulty) {
  switch (difficulty) {
    case Difficulty::Easy: return "easy";
    case Difficulty::Medium: return "medium";
    case Difficulty::Hard: return "hard";
  }
  return "medium";
}

bool ParseDifficulty(const std::string& text, Difficulty& out) {
  for (Difficulty d : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard}) {
    if (text == DifficultyName(d)) {
      out = d;
      return true;
    }
  }
  return false;
}

GeneratedLevel GenerateLevel(std::uint32_t seed, Difficulty difficulty) {
  GeneratedLevel fallback;
  for (int draw = 0; draw < kMaxDraws; ++draw) {
    Draw d = DrawLevel(DrawSeed(seed, static_cast<std::uint32_t>(draw)), difficulty);
    if (!d.solved || !d.solution.winnable) continue;
    GeneratedLevel level{std::move(d.layout), std::move(d.solution), draw + 1};
    if (QualityFault(level.layout, level.solution, difficulty).empty()) return level;
    fallback = std::move(level);
  }
  // Never reached in practice (the benchmark counts the draws); the first
  // level is winnable, so even then the player gets a level that can be won.
  if (fallback.draws == 0) return GeneratedLevel{LevelLayoutOf(1), SolveLevel(1), kMaxDraws};
  return fallback;
}
