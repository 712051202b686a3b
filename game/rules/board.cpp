#include "game/rules/board.h"

#include "game/views/data_files.h"
#include "game/rules/pool.h"
#include "game/rules/state.h"

namespace {

// Pictures of the building kinds, by kind.
const char* const kBuildingPictures[kBuildingKindCount] = {
    "game/buildings/pond.png",     "game/buildings/mountain.png",  "game/buildings/forest.png",
    "game/buildings/pond2x.png",   "game/buildings/hill.png",      "game/buildings/hangman.png",
    "game/buildings/dinosaur.png", "game/buildings/house.png",     "game/buildings/watertower.png",
    "game/buildings/cort.png",     "game/buildings/corturi.png",   "game/buildings/caravan.png",
    "game/buildings/diligenta.png", "game/buildings/skull.png",    "game/buildings/mountain2.png",
};

// Footprints of the building kinds in cells (width, height).
constexpr int kBuildingFootprint[kBuildingKindCount][2] = {
    {1, 1}, {2, 2}, {1, 1}, {2, 2}, {1, 3}, {1, 1}, {2, 2}, {1, 1},
    {1, 1}, {1, 1}, {2, 2}, {2, 2}, {1, 1}, {1, 1}, {2, 2},
};

constexpr int kPondFrameSize = 148;
constexpr int kPondFrameCount = 12;
constexpr int kExplosionFrames = 6;
constexpr int kMineAnimWidth = 60;
constexpr int kMineAnimHeight = 76;
constexpr int kMineAnimFrames = 9;
constexpr int kEnemyFrames = 20;
constexpr int kProgressBarHeight = 5;
// Where the mine's worker count and animation sit relative to its cells.
constexpr int kMineAnimOffsetY = 103;

float Now() { return static_cast<float>(gameState.clock.lastMillisecs); }

void DrawAtCell(c_Image* image, int x, int y, int frame = 0) {
  if (image) DrawImage(image, static_cast<float>(CellLeft(x)), static_cast<float>(CellTop(y)), frame);
}

}  // namespace

void DrawProgressBar(int x, int y, float progress) {
  SetColor(127, 127, 127);
  FillGameRect(static_cast<float>(CellLeft(x)), static_cast<float>(CellTop(y)), kCellSize, kProgressBarHeight);
  SetColor(0, 255, 0);
  FillGameRect(static_cast<float>(CellLeft(x)), static_cast<float>(CellTop(y)), progress * kCellSize / 100.0f,
           kProgressBarHeight);
  SetColor(255, 255, 255);
}

int CellAt(float pixel) {
  if (pixel <= kBoardOrigin) return -1;
  return static_cast<int>((pixel - kBoardOrigin) / kCellSize);
}

int BuildingWidth(int kind) { return kind >= 0 && kind < kBuildingKindCount ? kBuildingFootprint[kind][0] : 1; }
int BuildingHeight(int kind) { return kind >= 0 && kind < kBuildingKindCount ? kBuildingFootprint[kind][1] : 1; }

// ---- Start-up ------------------------------------------------------------------

void c_cLevel::LoadLevelImages() {
  borderImage = LoadGameImage(String("game/border.png"));
  groundImages = Array<c_Image*>(kGroundVariants);
  for (int i = 0; i < kGroundVariants; ++i) {
    groundImages[i] = LoadGameImage(String("game/tile") + String::FromInt(i + 1) + String(".png"));
  }
  pieceImages = Array<c_Image*>(kPieceKindCount);
  for (int i = 0; i < kPieceKindCount; ++i) {
    pieceImages[i] = LoadGameImage(String("game/") + String::FromInt(i) + String(".png"));
  }
  explosionImage =
      LoadGameImage(String("game/explosion.png"), kCellSize, kCellSize, kExplosionFrames, ImageCentreHandle);
  mineImage = LoadGameImage(String("game/ironmine.png"));
  mineAnimImage = LoadGameImage(String("game/ironmineanimation.png"), kMineAnimWidth, kMineAnimHeight,
                                kMineAnimFrames, defaultImageFlags);
  stonesImage = LoadGameImage(String("game/buildings/stones.png"));
  goldImage = LoadGameImage(String("game/gold.png"));
  buildingImages = Array<c_Image*>(kBuildingKindCount);
  for (int i = 0; i < kBuildingKindCount; ++i) {
    buildingImages[i] = i == kPondBuildingKind
                            ? LoadGameImage(String(kBuildingPictures[i]), kPondFrameSize, kPondFrameSize,
                                            kPondFrameCount, defaultImageFlags)
                            : LoadGameImage(String(kBuildingPictures[i]));
  }
  tunnelImageN = LoadGameImage(String("game/tunnelN.png"));
  tunnelImageS = LoadGameImage(String("game/tunnelS.png"));
  tunnelImageW = LoadGameImage(String("game/tunnelW.png"));
  tunnelImageE = LoadGameImage(String("game/tunnelE.png"));
  banditImage = LoadGameImage(String("game/bandit.png"), kCellSize, kCellSize, kEnemyFrames, defaultImageFlags);
  indigenImage = LoadGameImage(String("game/indigen.png"), kCellSize, kCellSize, kEnemyFrames, defaultImageFlags);
  startTileImage = LoadGameImage(String("game/tilestart.png"));
  finishTileImage = LoadGameImage(String("game/tilefinish.png"));
  levelFont = LoadGameFont(String("time.txt"));
}

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

// ---- Placement ------------------------------------------------------------------

void c_cLevel::AddBuilding(int kind, int x, int y) {
  c_cBuilding* b = FirstInactive(buildings);
  if (b == nullptr) return;
  b->kind = kind;
  b->x = x;
  b->y = y;
  b->frame = 0;
  b->lastFrameTime = Now();
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
  mine->lastFrameTime = Now();
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
  const float now = Now();
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

// ---- Drawing ------------------------------------------------------------------------

void c_cLevel::RenderBoard() {
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) {
      const int variant = groundVariants[CellIndex(x, y)];
      if (variant >= 0 && variant < groundImages.Length()) DrawAtCell(groundImages[variant], x, y);
      const int kind = CellKind(x, y);
      if (kind >= 0 && kind < pieceImages.Length()) DrawAtCell(pieceImages[kind], x, y);
    }
  }
  for (int i = 0; i < railTiles.Length(); ++i) {
    c_cRailTile* t = railTiles[i];
    if (!t->active) continue;
    SetAlpha(0.5f);
    if (t->kind >= 0 && t->kind < pieceImages.Length()) DrawAtCell(pieceImages[t->kind], t->x, t->y);
    SetAlpha(1.0f);
    DrawProgressBar(t->x, t->y, t->progress);
  }
  if (mine->active) {
    DrawAtCell(mineImage, mine->x, mine->y);
    if (levelFont) {
      levelFont->DrawText(String::FromInt(mine->workers), static_cast<float>(kCellSize * (mine->x + 2)),
                          static_cast<float>(kCellSize * (mine->y + 2)), AlignLeft);
    }
  }
  if (mine->workers > 0 && mineAnimImage) {
    DrawImage(mineAnimImage, static_cast<float>(CellLeft(mine->x)),
              static_cast<float>(kMineAnimOffsetY + kCellSize * mine->y), mine->frame);
  }
  for (int i = 0; i < blockTiles.Length(); ++i) {
    c_cBlockTile* s = blockTiles[i];
    if (!s->active) continue;
    DrawAtCell(stonesImage, s->x, s->y);
    if (s->removing == 1) DrawProgressBar(s->x, s->y, s->progress);
  }
  for (int i = 0; i < golds.Length(); ++i) {
    if (golds[i]->active) DrawAtCell(goldImage, golds[i]->x, golds[i]->y);
  }
  DrawHazards();
  for (int i = 0; i < buildings.Length(); ++i) {
    c_cBuilding* b = buildings[i];
    if (!b->active || b->kind < 0 || b->kind >= buildingImages.Length()) continue;
    DrawAtCell(buildingImages[b->kind], b->x, b->y, b->maxFrame != 0 ? b->frame : 0);
  }
  DrawAtCell(startTileImage, startX, startY);
  DrawAtCell(finishTileImage, finishX, finishY);
  DrawExplosions();
}

void c_cLevel::RenderBoardOverlay() {
  if (borderImage) DrawImage(borderImage, 0, 0, 0);
  if (tunnels[0]->active) {
    for (int i = 0; i < kTunnelCount; ++i) {
      c_cTunnel* t = tunnels[i];
      c_Image* pictures[4] = {tunnelImageN, tunnelImageE, tunnelImageS, tunnelImageW};
      if (t->side >= 0 && t->side < 4) DrawAtCell(pictures[t->side], t->x, t->y);
    }
  }
  DrawScoreTexts();
}

void c_cLevel::Mark() {
  borderImage.Mark();
  groundImages.Mark();
  pieceImages.Mark();
  explosionImage.Mark();
  mineImage.Mark();
  mineAnimImage.Mark();
  stonesImage.Mark();
  goldImage.Mark();
  buildingImages.Mark();
  tunnelImageN.Mark();
  tunnelImageS.Mark();
  tunnelImageW.Mark();
  tunnelImageE.Mark();
  banditImage.Mark();
  indigenImage.Mark();
  startTileImage.Mark();
  finishTileImage.Mark();
  levelFont.Mark();
  explosions.Mark();
  railTiles.Mark();
  blockTiles.Mark();
  golds.Mark();
  scoreTexts.Mark();
  bandits.Mark();
  indigens.Mark();
  tunnels.Mark();
  eventGenerator.Mark();
  mine.Mark();
  groundVariants.Mark();
  cellKinds.Mark();
  buildings.Mark();
}
