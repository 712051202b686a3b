#include "game/rules/layouts.h"

#include "game/rules/match.h"

void LayOutLevel(Match& match) { LayOutLevel(match, gameState.progress.currentLevel, false); }

void LayOutLevel(Match& match, int number, bool retry) {
  MatchStart start;
  start.levelNumber = number;
  start.workers = gameState.progress.ownedWorkers;
  start.retry = retry;
  StartMatch(match, LevelLayoutOf(number), start);
}

// ---- The board as text ---------------------------------------------------------

namespace {

bool InArea(int x, int y, int left, int top, int width, int height) {
  return x >= left && x < left + width && y >= top && y < top + height;
}

bool UnderScenery(c_cLevel* level, int x, int y) {
  for (int i = 0; i < level->buildings.Length(); ++i) {
    c_cBuilding* b = level->buildings[i];
    if (b->active && InArea(x, y, b->x, b->y, BuildingWidth(b->kind), BuildingHeight(b->kind))) return true;
  }
  return false;
}

template <class T>
bool PoolHasCell(const Array<T*>& pool, int x, int y) {
  for (int i = 0; i < pool.Length(); ++i) {
    if (pool[i]->active && pool[i]->x == x && pool[i]->y == y) return true;
  }
  return false;
}

char CellCharacter(c_cLevel* level, int x, int y) {
  if (x == level->startX && y == level->startY) return 'S';
  if (x == level->finishX && y == level->finishY) return 'F';
  if (PoolHasCell(level->tunnels, x, y)) return 'T';
  const c_cGoldMine* mine = level->mine;
  if (mine->active && InArea(x, y, mine->x, mine->y, 2, 2)) return 'M';
  if (PoolHasCell(level->blockTiles, x, y)) return 'o';
  if (UnderScenery(level, x, y)) return '#';
  if (PoolHasCell(level->golds, x, y)) return '$';
  return '.';
}

}  // namespace

std::string BoardText(c_cLevel* level) {
  std::string text;
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < kColumns; ++x) text += CellCharacter(level, x, y);
    text += '\n';
  }
  return text;
}
