#include "game/rules/board.h"

#include "game/rules/pool.h"
#include "game/rules/match.h"

namespace {

float Now(const c_cLevel& level) { return static_cast<float>(level.match->clock.lastMillisecs); }

}  // namespace

int CellAt(float pixel) {
  if (pixel <= kBoardOrigin) return -1;
  return static_cast<int>((pixel - kBoardOrigin) / kCellSize);
}

namespace {

// Footprints of the building kinds in cells (width, height).
constexpr int kBuildingFootprint[kBuildingKindCount][2] = {
    {1, 1}, {2, 2}, {1, 1}, {2, 2}, {1, 3}, {1, 1}, {2, 2}, {1, 1},
    {1, 1}, {1, 1}, {2, 2}, {2, 2}, {1, 1}, {1, 1}, {2, 2},
};

}  // namespace

int BuildingWidth(int kind) { return kind >= 0 && kind < kBuildingKindCount ? kBuildingFootprint[kind][0] : 1; }
int BuildingHeight(int kind) { return kind >= 0 && kind < kBuildingKindCount ? kBuildingFootprint[kind][1] : 1; }

// ---- Start-up ------------------------------------------------------------------

void c_cLevel::CreateLevelPools() {
  explosions = NewPool<c_cExplosion>(kExplosionPoolSize);
  railTiles = NewPool<c_cRailTile>(kRailTilePoolSize);
  blockTiles = NewPool<c_cBlockTile>(kBlockTilePoolSize);
  golds = NewPool<c_cGold>(kGoldPoolSize);
  scoreTexts = NewPool<c_cScoreText>(kScoreTextPoolSize);
  bandits = NewPool<c_cBandits>(kBanditsPoolSize);
  indigens = NewPool<c_cIndigens>(kIndigensPoolSize);
  tunnels = NewPool<c_cTunnel>(kTunnelCount);
  eventGenerator = new c_cRandomEventGenerator();
  mine = new c_cGoldMine();
  lastMinePayout = -1.0f;
  // Until the first level is laid out the board is empty rather than absent.
  groundVariants = Array<int>(kCellCount);
  cellKinds = Array<int>(kCellCount);
  buildings = NewPool<c_cBuilding>(kBuildingPoolSize);
}

void c_cLevel::ClearBoard() {
  groundVariants = Array<int>(kCellCount);
  cellKinds = Array<int>(kCellCount);
  buildings = NewPool<c_cBuilding>(kBuildingPoolSize);
  mine->active = 0;
  mine->workers = 0;
  DeactivateAll(tunnels);
  DeactivateAll(blockTiles);
  DeactivateAll(railTiles);
  DeactivateAll(golds);
}

void c_cLevel::ClearRunPools() {
  DeactivateAll(bandits);
  DeactivateAll(indigens);
  DeactivateAll(explosions);
  DeactivateAll(scoreTexts);
  indigensCellX = indigensCellY = -1;
}

// ---- Placement ------------------------------------------------------------------

void c_cLevel::AddBuilding(int kind, int x, int y) {
  c_cBuilding* b = FirstInactive(buildings);
  if (b == nullptr) return;
  b->kind = kind;
  b->x = x;
  b->y = y;
  b->frame = 0;
  b->lastFrameTime = Now(*this);
  b->active = 1;
  for (int dx = 0; dx < BuildingWidth(kind); ++dx) {
    for (int dy = 0; dy < BuildingHeight(kind); ++dy) {
      if (OnBoard(x + dx, y + dy)) SetCellKind(x + dx, y + dy, CellBlocked);
    }
  }
  const bool animated = kind == kPondBuildingKind;
  b->maxFrame = animated ? kPondLastFrame : 0;
  b->frameDelay = animated ? kPondFrameDelay : 0;
}

void c_cLevel::AddGold(int x, int y) {
  c_cGold* g = FirstInactive(golds);
  if (g == nullptr) return;
  g->x = x;
  g->y = y;
  g->active = 1;
}

void c_cLevel::AddStones(int x, int y) {
  c_cBlockTile* s = FirstInactive(blockTiles);
  if (s == nullptr) return;
  s->x = x;
  s->y = y;
  s->progress = 0;
  s->removed = 0;
  s->removing = 0;
  s->active = 1;
  if (OnBoard(x, y)) SetCellKind(x, y, CellBlocked);
}

void c_cLevel::SetTunnels(int side0, int side1, int x0, int y0, int x1, int y1) {
  const int sides[kTunnelCount] = {side0, side1};
  const int xs[kTunnelCount] = {x0, x1};
  const int ys[kTunnelCount] = {y0, y1};
  for (int i = 0; i < kTunnelCount; ++i) {
    c_cTunnel* t = tunnels[i];
    t->side = sides[i];
    t->x = xs[i];
    t->y = ys[i];
    t->active = 1;
    // A tunnel end carries a straight piece along its side's axis.
    const bool vertical = sides[i] == SideNorth || sides[i] == SideSouth;
    if (OnBoard(xs[i], ys[i])) SetCellKind(xs[i], ys[i], vertical ? PieceStraightNS : PieceStraightWE);
  }
}

void c_cLevel::SetMine(int reserve, int x, int y) {
  mine->reserve = reserve;
  mine->x = x;
  mine->y = y;
  mine->workers = 0;
  mine->frame = 0;
  mine->lastFrameTime = Now(*this);
  mine->active = 1;
}

// ---- The update -------------------------------------------------------------------

void c_cLevel::UpdateLevel() {
  UpdateHazards();
  UpdateConstruction();
  UpdateStones();
  UpdateMine();
  UpdateScoreTexts();
  // Scenery animates also while the game is paused.
  const float now = Now(*this);
  for (int i = 0; i < buildings.Length(); ++i) {
    c_cBuilding* b = buildings[i];
    if (!b->active || b->maxFrame == 0) continue;
    if (b->lastFrameTime + static_cast<float>(b->frameDelay) < now) {
      b->frame += 1;
      b->lastFrameTime = now;
      if (b->frame > b->maxFrame) b->frame = 0;
    }
  }
}

void c_cLevel::Mark() {
  explosions.Mark();
  railTiles.Mark();
  blockTiles.Mark();
  golds.Mark();
  scoreTexts.Mark();
  bandits.Mark();
  indigens.Mark();
  tunnels.Mark();
  match.Mark();
  eventGenerator.Mark();
  mine.Mark();
  groundVariants.Mark();
  cellKinds.Mark();
  buildings.Mark();
}
