#include "game/views/board_view.h"

#include "game/rules/effects.h"
#include "game/rules/hazards.h"
#include "game/views/data_files.h"

namespace {

// Pictures of the building kinds, by kind.
const char* const kBuildingPictures[kBuildingKindCount] = {
    "game/buildings/pond.png",     "game/buildings/mountain.png",  "game/buildings/forest.png",
    "game/buildings/pond2x.png",   "game/buildings/hill.png",      "game/buildings/hangman.png",
    "game/buildings/dinosaur.png", "game/buildings/house.png",     "game/buildings/watertower.png",
    "game/buildings/cort.png",     "game/buildings/corturi.png",   "game/buildings/caravan.png",
    "game/buildings/diligenta.png", "game/buildings/skull.png",    "game/buildings/mountain2.png",
};

constexpr int kPondFrameSize = 148;
constexpr int kMineAnimWidth = 60;
constexpr int kMineAnimHeight = 76;
constexpr int kMineAnimFrames = kMineAnimationLastFrame + 1;
constexpr int kProgressBarHeight = 5;
// Where the mine's animation sits below its top-left cell.
constexpr int kMineAnimOffsetY = 103;
constexpr int kAdditiveBlend = 1;
constexpr int kAlphaBlend = 0;

struct TextColour {
  float r, g, b;
};
// Gains in gold, losses in red, messages in white; indexed by ScoreTextKind.
constexpr TextColour kTextColours[] = {{255, 242, 0}, {255, 0, 0}, {255, 255, 255}};
constexpr TextColour kWhite = {255, 255, 255};

const TextColour& ColourOf(int kind) {
  return kind >= ScoreTextGain && kind <= ScoreTextMessage ? kTextColours[kind] : kWhite;
}

void DrawAtCell(c_Image* image, int x, int y, int frame = 0) {
  if (image) DrawImage(image, static_cast<float>(CellLeft(x)), static_cast<float>(CellTop(y)), frame);
}

// The enemy's picture with its chase meter as a green bar over a grey one
// along the top of the cell.
void DrawEnemy(c_Image* picture, const c_cEnemy* enemy) {
  DrawAtCell(picture, enemy->x, enemy->y, enemy->animationFrame);
  DrawProgressBar(enemy->x, enemy->y, enemy->chaseMeter * 100.0f / kChaseToDriveOff);
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

void c_BoardView::LoadLevelImages() {
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
      LoadGameImage(String("game/explosion.png"), kCellSize, kCellSize, kExplosionFrameCount, ImageCentreHandle);
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
  banditImage = LoadGameImage(String("game/bandit.png"), kCellSize, kCellSize, kEnemyFrameCount, defaultImageFlags);
  indigenImage =
      LoadGameImage(String("game/indigen.png"), kCellSize, kCellSize, kEnemyFrameCount, defaultImageFlags);
  startTileImage = LoadGameImage(String("game/tilestart.png"));
  finishTileImage = LoadGameImage(String("game/tilefinish.png"));
  levelFont = LoadGameFont(String("time.txt"));
}

// ---- Under the train --------------------------------------------------------------

void c_BoardView::RenderBoard(const c_cLevel& level) const {
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  DrawCells(level);
  DrawJobs(level);
  DrawMine(level);
  for (int i = 0; i < level.blockTiles.Length(); ++i) {
    const c_cBlockTile* s = level.blockTiles[i];
    if (!s->active) continue;
    DrawAtCell(stonesImage, s->x, s->y);
    if (s->removing == 1) DrawProgressBar(s->x, s->y, s->progress);
  }
  for (int i = 0; i < level.golds.Length(); ++i) {
    if (level.golds[i]->active) DrawAtCell(goldImage, level.golds[i]->x, level.golds[i]->y);
  }
  DrawHazards(level);
  DrawScenery(level);
  DrawAtCell(startTileImage, level.startX, level.startY);
  DrawAtCell(finishTileImage, level.finishX, level.finishY);
  DrawExplosions(level);
}

// Ground and rails, column by column, each column from the top.
void c_BoardView::DrawCells(const c_cLevel& level) const {
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) {
      const int variant = level.groundVariants[CellIndex(x, y)];
      if (variant >= 0 && variant < groundImages.Length()) DrawAtCell(groundImages[variant], x, y);
      const int kind = level.CellKind(x, y);
      if (kind >= 0 && kind < pieceImages.Length()) DrawAtCell(pieceImages[kind], x, y);
    }
  }
}

// A piece under construction shows at half strength with its progress bar.
void c_BoardView::DrawJobs(const c_cLevel& level) const {
  for (int i = 0; i < level.railTiles.Length(); ++i) {
    const c_cRailTile* t = level.railTiles[i];
    if (!t->active) continue;
    SetAlpha(0.5f);
    if (t->kind >= 0 && t->kind < pieceImages.Length()) DrawAtCell(pieceImages[t->kind], t->x, t->y);
    SetAlpha(1.0f);
    DrawProgressBar(t->x, t->y, t->progress);
  }
}

void c_BoardView::DrawMine(const c_cLevel& level) const {
  const c_cGoldMine* mine = level.mine;
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
}

void c_BoardView::DrawHazards(const c_cLevel& level) const {
  if (level.bandits[0]->active == 1) DrawEnemy(banditImage, level.bandits[0]);
  for (int i = 0; i < level.indigens.Length(); ++i) {
    if (level.indigens[i]->active == 1) DrawEnemy(indigenImage, level.indigens[i]);
  }
}

void c_BoardView::DrawScenery(const c_cLevel& level) const {
  for (int i = 0; i < level.buildings.Length(); ++i) {
    const c_cBuilding* b = level.buildings[i];
    if (!b->active || b->kind < 0 || b->kind >= buildingImages.Length()) continue;
    DrawAtCell(buildingImages[b->kind], b->x, b->y, b->maxFrame != 0 ? b->frame : 0);
  }
}

void c_BoardView::DrawExplosions(const c_cLevel& level) const {
  SetBlend(kAdditiveBlend);
  for (int i = 0; i < level.explosions.Length(); ++i) {
    const c_cExplosion* blast = level.explosions[i];
    if (blast->active == 1) DrawImage(explosionImage, blast->x, blast->y, blast->angle, 1, 1, blast->frame);
  }
  SetBlend(kAlphaBlend);
}

// ---- Over the train ---------------------------------------------------------------

void c_BoardView::RenderBoardOverlay(const c_cLevel& level) const {
  if (borderImage) DrawImage(borderImage, 0, 0, 0);
  DrawTunnels(level);
  DrawScoreTexts(level);
}

void c_BoardView::DrawTunnels(const c_cLevel& level) const {
  if (!level.tunnels[0]->active) return;
  c_Image* const pictures[4] = {tunnelImageN, tunnelImageE, tunnelImageS, tunnelImageW};
  for (int i = 0; i < kTunnelCount; ++i) {
    const c_cTunnel* t = level.tunnels[i];
    if (t->side >= 0 && t->side < 4) DrawAtCell(pictures[t->side], t->x, t->y);
  }
}

void c_BoardView::DrawScoreTexts(const c_cLevel& level) const {
  c_BitmapFont* font = levelFont;
  if (font == nullptr) return;
  for (int i = 0; i < level.scoreTexts.Length(); ++i) {
    const c_cScoreText* entry = level.scoreTexts[i];
    if (entry->active == 0) continue;
    const TextColour& colour = ColourOf(entry->kind);
    SetAlpha(entry->alpha);
    SetColor(colour.r, colour.g, colour.b);
    font->DrawText(entry->text, entry->x, entry->y, AlignLeft);
    SetColor(kWhite.r, kWhite.g, kWhite.b);
    SetAlpha(1.0f);
  }
}

void c_BoardView::Mark() {
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
}
