#include "game/rules/layouts.h"

#include "game/rules/state.h"

namespace {

// Each enemy's introduction page shows the first time it arrives: bandits
// first come in level 3 and raiders in level 4, so from the level after that
// on the page counts as shown.
constexpr int kLastLevelWithBanditsIntro = 3;
constexpr int kLastLevelWithIndigensIntro = 4;

void PlaceContents(c_cLevel* level, const LevelLayout& l) {
  level->startX = l.start.x;
  level->startY = l.start.y;
  level->finishX = l.finish.x;
  level->finishY = l.finish.y;
  if (l.hasMine) level->SetMine(l.mineReserve, l.mine.x, l.mine.y);
  if (l.hasTunnels) {
    const TunnelPair& t = l.tunnels;
    level->SetTunnels(t.side0, t.side1, t.x0, t.y0, t.x1, t.y1);
  }
  for (const SceneryPlacement& s : l.scenery) level->AddBuilding(s.kind, s.x, s.y);
  for (CellXY g : l.gold) level->AddGold(g.x, g.y);
  for (CellXY s : l.stones) level->AddStones(s.x, s.y);
}

void StartTutorial(int firstPage) {
  if (firstPage == kNoTutorial) return;
  gameState.screen.tutorialShowing = 1;
  gameState.screen.tutorialPage = firstPage;
  gameState.screen.gamePaused = 1;
}

// Every level starts a fresh run with the level's iron and every worker the
// player owns.
void BeginLevelRun(const LevelLayout& l, int number) {
  LevelRun run;
  run.levelNumber = number;
  run.iron = l.iron;
  run.freeWorkers = gameState.progress.ownedWorkers;
  gameState.run = run;
  Progress& progress = gameState.progress;
  if (number > kLastLevelWithBanditsIntro) progress.banditsIntroShown = 1;
  if (number > kLastLevelWithIndigensIntro) progress.indigensIntroShown = 1;
}

}  // namespace

void LayOutLevel(c_cLevel* level) { LayOutLevel(level, gameState.progress.currentLevel, false); }

void LayOutLevel(c_cLevel* level, int number, bool retry) {
  const LevelLayout& l = LevelLayoutOf(number);
  gameState.randomSeed = CalendarSeed();
  level->ClearBoard();
  // The first rules kept the last run's enemies, explosions and texts.
  if (MendedRules()) level->ClearRunPools();
  for (int i = 0; i < kCellCount; ++i) {
    level->cellKinds[i] = CellEmpty;
    level->groundVariants[i] = RandomBelow(kGroundVariants);
  }
  PlaceContents(level, l);
  if (l.events == EventsCleared) {
    level->ClearRandomEvents();
  } else {
    level->SetupRandomEvents(l.banditsKind, l.indigensKind);
  }
  if (!(retry && MendedRules())) StartTutorial(l.firstTutorialPage);
  BeginLevelRun(l, number);
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
