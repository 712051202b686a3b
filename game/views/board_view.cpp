#include "game/views/board_view.h"

#include <cmath>

#include "game/rules/economy.h"
#include "game/rules/effects.h"
#include "game/rules/hazards.h"
#include "game/rules/layouts.h"
#include "game/rules/state.h"
#include "game/views/board_actors.h"
#include "game/views/cue_marks.h"
#include "game/views/cell_messages.h"
#include "game/views/data_files.h"
#include "game/views/type_scale.h"

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
constexpr int kProgressBarInset = 3;
constexpr int kMountainKind = 1;
constexpr int kSecondMountainKind = 14;
constexpr float kHalfCell = kCellSize / 2.0f;
// The ghost of an order: half strength, tinted by its verdict.
constexpr float kGhostAlpha = 0.5f;
constexpr float kGhostCellAlpha = 0.12f;
constexpr float kRefusedCellAlpha = 0.3f;
constexpr float kRingPulseMs = 900;
// The dashed ring drawn instead of the ring picture: its radius at scale 1.
constexpr float kEnemyRingRadius = 36;
constexpr int kEnemyRingDashes = 12;
// The preview's tick or cross, in the cell's top right corner.
constexpr float kVerdictMarkSize = 18;
constexpr float kVerdictMarkInset = 6;
// The dynamite of the palette's last slot, inside the frame picture.
constexpr float kDynamiteX = 505, kDynamiteY = 711, kDynamiteW = 36, kDynamiteH = 32;
// Where the mine's animation sits below its top-left cell.
constexpr int kMineAnimOffsetY = 103;
// The mine's line of text along its top.
constexpr float kMineTextScale = TypeScale(kTypeSmall);
constexpr float kMineTextBand = 16;
// A theft flies from its cell to the iron in stock on the status line.
constexpr float kIronFieldX = 400, kIronFieldY = 4;
constexpr int kAdditiveBlend = 1;
constexpr int kAlphaBlend = 0;
// The grid while a piece is being placed: each line darkens the ground by
// about an eighth, enough to count cells by and no more.
constexpr float kGridAlpha = 0.12f;

struct TextColour {
  float r, g, b;
};
// Gains in gold, losses and thefts in red, messages in white; indexed by
// ScoreTextKind.
constexpr TextColour kTextColours[] = {{255, 242, 0}, {255, 60, 40}, {255, 255, 255}, {255, 60, 40}};
constexpr TextColour kWhite = {255, 255, 255};  // a kind of text unknown

const TextColour& ColourOf(int kind) {
  return kind >= ScoreTextGain && kind <= ScoreTextTheft ? kTextColours[kind] : kWhite;
}

void DrawAtCell(c_Image* image, int x, int y, int frame = 0) {
  if (image) DrawImage(image, static_cast<float>(CellLeft(x)), static_cast<float>(CellTop(y)), frame);
}

// A small fixed hash of a cell, the same in every frame.
unsigned CellHash(int x, int y) {
  unsigned h = static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return h ^ (h >> 15);
}

}  // namespace

int GroundTurnOf(int x, int y) { return static_cast<int>(CellHash(x, y) % 8u); }

bool SceneryMirrored(int x, int y) { return (CellHash(x + 17, y + 5) & 1u) != 0; }

void DrawProgressBar(int x, int y, float progress) {
  const float left = static_cast<float>(CellLeft(x) + kProgressBarInset);
  const float top = static_cast<float>(CellTop(y) + kProgressBarInset);
  const float width = static_cast<float>(kCellSize - 2 * kProgressBarInset);
  SetColor(40, 28, 16);
  FillGameRect(left, top, width, kProgressBarHeight);
  SetColor(232, 184, 60);
  FillGameRect(left, top, std::fmin(std::fmax(progress, 0.0f), 100.0f) * width / 100.0f, kProgressBarHeight);
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
  footprintGrounds = LoadGameImage(String("game/buildings/grounds.png"), kCellSize, kCellSize, kBuildingKindCount,
                                   defaultImageFlags);
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
  ringImage = LoadGameImage(String("game/ring.png"), 1, ImageCentreHandle);
  workers->LoadWorkerImages(stonesImage, banditImage, indigenImage);
  moments->LoadMomentImages(levelFont);
}

// ---- Under the train --------------------------------------------------------------

void c_BoardView::RenderBoard(const Match& match) const {
  const c_cLevel& level = *match.board;
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  DrawCells(level);
  DrawFootprintGrounds(level);
  if (gridShown) DrawGrid();
  moments->DrawLineLight(match);
  if (feedback) feedback->DrawBoardMarks(level, match.clock.lastMillisecs);
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
  DrawActors(level);
  DrawExplosions(level);
}

// The workers, their dust and the stones they break, and fleeing enemies: over
// the scenery and the plates, which they walk across.
void c_BoardView::DrawActors(const c_cLevel& level) const {
  if (!feedback) return;
  const int now = level.match->clock.lastMillisecs;
  workers->DrawActors(BoardActorsNow(level, feedback->Marks(), now));
}

// Ground and rails, column by column, each column from the top.
void c_BoardView::DrawCells(const c_cLevel& level) const {
  for (int x = 0; x < kColumns; ++x) {
    for (int y = 0; y < kRows; ++y) {
      const int variant = level.groundVariants[CellIndex(x, y)];
      if (variant >= 0 && variant < groundImages.Length()) {
        // Turned about the cell's centre; the pictures join in any turn.
        const int turn = GroundTurnOf(x, y);
        PushMatrix();
        Translate(CellLeft(x) + kHalfCell, CellTop(y) + kHalfCell);
        Rotate(90.0f * static_cast<float>(turn & 3));
        Scale((turn & 4) != 0 ? -1.0f : 1.0f, 1.0f);
        DrawImage(groundImages[variant], -kHalfCell, -kHalfCell);
        PopMatrix();
      }
      const int kind = level.CellKind(x, y);
      if (kind >= 0 && kind < pieceImages.Length()) DrawAtCell(pieceImages[kind], x, y);
    }
  }
}

// Every cell a piece of scenery blocks lies on that scenery's own ground, so
// no blocked cell looks like the free sand around it, whatever its picture
// leaves uncovered.
void c_BoardView::DrawFootprintGrounds(const c_cLevel& level) const {
  if (!footprintGrounds) return;
  for (int i = 0; i < level.buildings.Length(); ++i) {
    const c_cBuilding* b = level.buildings[i];
    if (!b->active || b->kind < 0 || b->kind >= kBuildingKindCount) continue;
    for (int dx = 0; dx < BuildingWidth(b->kind); ++dx) {
      for (int dy = 0; dy < BuildingHeight(b->kind); ++dy) {
        if (OnBoard(b->x + dx, b->y + dy)) DrawAtCell(footprintGrounds, b->x + dx, b->y + dy, b->kind);
      }
    }
  }
}

// Thin dark lines between the cells, one pixel each side of every border.
void c_BoardView::DrawGrid() const {
  SetColor(0, 0, 0);
  SetAlpha(kGridAlpha);
  const float width = static_cast<float>(kColumns * kCellSize);
  const float height = static_cast<float>(kRows * kCellSize);
  for (int x = 1; x < kColumns; ++x) {
    FillGameRect(static_cast<float>(CellLeft(x) - 1), static_cast<float>(CellTop(0)), 2, height);
  }
  for (int y = 1; y < kRows; ++y) {
    FillGameRect(static_cast<float>(CellLeft(0)), static_cast<float>(CellTop(y) - 1), width, 2);
  }
  SetAlpha(1.0f);
  SetColor(255, 255, 255);
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
  if (mine->active) DrawAtCell(mineImage, mine->x, mine->y);
  if (mine->workers > 0 && mineAnimImage) {
    DrawImage(mineAnimImage, static_cast<float>(CellLeft(mine->x)),
              static_cast<float>(kMineAnimOffsetY + kCellSize * mine->y), mine->frame);
  }
  if (mine->active) DrawMineText(*mine);
}

String StonesClearingText() {
  return String("Clear: 1 worker, ") + String::FromInt(static_cast<int>(kStonesRemovalMs / 1000.0f)) +
         String(" s");
}

String MineText(const c_cGoldMine& mine) {
  return String::FromInt(mine.workers) + String(" at work - ") + String::FromInt(mine.reserve) + String(" left");
}

// Who works the mine and what is left in it, on a dark band along its top,
// clear of the bandits' camp and of the pointer's word at its foot.
void c_BoardView::DrawMineText(const c_cGoldMine& mine) const {
  if (!levelFont) return;
  const String text = MineText(mine);
  const float centreX = static_cast<float>(CellLeft(mine.x) + kCellSize);
  const float top = static_cast<float>(CellTop(mine.y)) + 2;
  const float width = levelFont->TextWidth(text) * kMineTextScale + 8;
  SetColor(30, 20, 10);
  SetAlpha(0.6f);
  FillGameRect(centreX - width / 2, top, width, kMineTextBand);
  SetAlpha(1.0f);
  SetColor(255, 244, 214);
  DrawScaledText(levelFont, text, centreX, top + 1, kMineTextScale);
  SetColor(255, 255, 255);
}

// The enemy's picture, shaken for a moment after a hit, inside a pulsing ring
// for its whole stay, with its chase meter over both.
void c_BoardView::DrawEnemy(c_Image* picture, const c_cEnemy* enemy, int nowMs) const {
  const Settings& settings = gameState.settings;
  if (ringImage) {
    const float now = static_cast<float>(nowMs);
    // Under reduced motion the ring holds still at its fullest.
    const float pulse = settings.reducedMotion == 1 ? 1.0f : 0.5f + 0.5f * std::sin(now * 6.2832f / kRingPulseMs);
    SetColor(255, 90, 40);
    SetAlpha(0.55f + 0.35f * pulse);
    if (settings.shapesWithColours == 1) {
      // Dashed, so an enemy's ring is told from the preview's by its shape.
      DrawDashedRing(static_cast<float>(CellLeft(enemy->x) + kHalfCell), static_cast<float>(CellTop(enemy->y) + kHalfCell),
                     kEnemyRingRadius * (0.82f + 0.12f * pulse), kEnemyRingDashes);
    } else {
      DrawRing(enemy->x, enemy->y, 0.82f + 0.12f * pulse);
    }
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
  }
  const float shake = feedback ? feedback->ShakeAt(enemy->x, enemy->y, nowMs) : 0.0f;
  if (picture) {
    DrawImage(picture, static_cast<float>(CellLeft(enemy->x)) + shake, static_cast<float>(CellTop(enemy->y)),
              enemy->animationFrame);
  }
  DrawProgressBar(enemy->x, enemy->y, enemy->chaseMeter * 100.0f / kChaseToDriveOff);
}

void c_BoardView::DrawRing(int cx, int cy, float scale) const {
  if (ringImage) DrawImage(ringImage, CellLeft(cx) + kHalfCell, CellTop(cy) + kHalfCell, 0, scale, scale, 0);
}

void c_BoardView::DrawHazards(const c_cLevel& level) const {
  const int now = level.match->clock.lastMillisecs;
  if (level.bandits[0]->active == 1) DrawEnemy(banditImage, level.bandits[0], now);
  for (int i = 0; i < level.indigens.Length(); ++i) {
    if (level.indigens[i]->active == 1) DrawEnemy(indigenImage, level.indigens[i], now);
  }
}

void c_BoardView::DrawScenery(const c_cLevel& level) const {
  for (int i = 0; i < level.buildings.Length(); ++i) {
    const c_cBuilding* b = level.buildings[i];
    if (!b->active || b->kind < 0 || b->kind >= buildingImages.Length()) continue;
    c_Image* picture = buildingImages[b->kind];
    const bool mountain = b->kind == kMountainKind || b->kind == kSecondMountainKind;
    if (mountain && picture && SceneryMirrored(b->x, b->y)) {
      DrawImage(picture, static_cast<float>(CellLeft(b->x) + picture->Width()), static_cast<float>(CellTop(b->y)),
                0, -1.0f, 1.0f, 0);
      continue;
    }
    DrawAtCell(picture, b->x, b->y, b->maxFrame != 0 ? b->frame : 0);
  }
}

// Each blast added onto the board twice, growing with its frames: its core,
// and the same frame larger and turned the other way as its glow.
void c_BoardView::DrawExplosions(const c_cLevel& level) const {
  SetBlend(kAdditiveBlend);
  for (int i = 0; i < level.explosions.Length(); ++i) {
    const c_cExplosion* blast = level.explosions[i];
    if (blast->active != 1) continue;
    const float grown = 1.3f + 0.15f * static_cast<float>(blast->frame);
    DrawImage(explosionImage, blast->x, blast->y, blast->angle, grown, grown, blast->frame);
    DrawImage(explosionImage, blast->x, blast->y, -blast->angle, grown * 1.35f, grown * 1.35f, blast->frame);
  }
  SetBlend(kAlphaBlend);
}

// ---- What a click would do ------------------------------------------------------

void c_BoardView::DrawCellWord(const String& word, int cx, int cy, bool refused) const {
  if (refused) {
    SetColor(255, 120, 100);
  } else {
    SetColor(255, 244, 214);
  }
  DrawScaledText(levelFont, word, static_cast<float>(CellCentre(cx)),
                 static_cast<float>(CellTop(cy) + kCellSize - 22), TypeScale(kTypeSmall));
  SetColor(255, 255, 255);
}

void c_BoardView::DrawVerdictCue(int cx, int cy, bool taken) const {
  if (gameState.settings.shapesWithColours != 1) return;
  DrawVerdictMark(taken, static_cast<float>(CellLeft(cx) + kCellSize) - kVerdictMarkSize - kVerdictMarkInset,
                  static_cast<float>(CellTop(cy)) + kVerdictMarkInset, kVerdictMarkSize);
}

void c_BoardView::DrawClickPreview(const Match& match, float pointerX, float pointerY) const {
  const c_cLevel& level = *match.board;
  const BoardTarget target = TargetOfClick(level, pointerX, pointerY);
  const int cx = target.cellX;
  const int cy = target.cellY;
  const bool taken = target.verdict == OrderVerdict::Taken;
  // The word gives way to anything newer said on the cell.
  const bool quiet =
      !feedback || CellMessages(level, feedback->Marks(), match.clock.lastMillisecs).CellQuiet(cx, cy);
  auto word = [&](const String& text, bool refused) {
    if (quiet) DrawCellWord(text, cx, cy, refused);
  };
  switch (target.kind) {
    case BoardTargetKind::Order: {
      const int kind = match.run.selectedPiece;
      if (taken) {
        SetColor(130, 255, 130);
      } else {
        SetColor(255, 90, 80);
      }
      SetAlpha(kGhostAlpha);
      if (kind >= 0 && kind < pieceImages.Length()) DrawAtCell(pieceImages[kind], cx, cy);
      SetAlpha(taken ? kGhostCellAlpha : kRefusedCellAlpha);
      FillGameRect(static_cast<float>(CellLeft(cx)), static_cast<float>(CellTop(cy)), kCellSize, kCellSize);
      SetAlpha(1.0f);
      word(taken ? String::FromInt(PieceCost(kind)) : String(RefusalText(target.verdict)), !taken);
      DrawVerdictCue(cx, cy, taken);
      break;
    }
    case BoardTargetKind::Demolish:
      if (!taken) break;
      SetColor(255, 150, 90);
      SetAlpha(0.8f);
      DrawRing(cx, cy, 0.8f);
      SetColor(255, 255, 255);
      SetAlpha(1.0f);
      if (borderImage) {
        DrawImageRegion(borderImage, CellLeft(cx) + kHalfCell - kDynamiteW / 2, CellTop(cy) + kHalfCell - kDynamiteH / 2,
                        kDynamiteX, kDynamiteY, kDynamiteW, kDynamiteH);
      }
      break;
    case BoardTargetKind::Enemy:
      word(String("Chase off"), false);
      break;
    case BoardTargetKind::Mine:
    case BoardTargetKind::Stones: {
      if (taken) {
        SetColor(255, 244, 214);
      } else {
        SetColor(255, 110, 90);
      }
      SetAlpha(0.8f);
      DrawRing(cx, cy, 0.8f);
      SetColor(255, 255, 255);
      SetAlpha(1.0f);
      const String what = target.kind == BoardTargetKind::Mine ? String("Dig iron") : StonesClearingText();
      word(taken ? what : String(RefusalText(target.verdict)), !taken);
      DrawVerdictCue(cx, cy, taken);
      break;
    }
    case BoardTargetKind::Nothing:
      break;
  }
}

// ---- Over the train ---------------------------------------------------------------

void c_BoardView::RenderBoardOverlay(const Match& match) const {
  const c_cLevel& level = *match.board;
  if (borderImage) DrawImage(borderImage, 0, 0, 0);
  DrawTunnels(level);
  DrawScoreTexts(level);
  if (feedback) {
    const int now = match.clock.lastMillisecs;
    feedback->DrawReasons(now, CellMessages(level, feedback->Marks(), now));
  }
}

void c_BoardView::DrawTunnels(const c_cLevel& level) const {
  if (!level.tunnels[0]->active) return;
  c_Image* const pictures[4] = {tunnelImageN, tunnelImageE, tunnelImageS, tunnelImageW};
  for (int i = 0; i < kTunnelCount; ++i) {
    const c_cTunnel* t = level.tunnels[i];
    if (t->side >= 0 && t->side < 4) DrawAtCell(pictures[t->side], t->x, t->y);
  }
}

// Each text over a dark shadow, so it reads on sand and rock alike; only the
// newest of a cell shows. A theft flies off to the iron in stock.
void c_BoardView::DrawScoreTexts(const c_cLevel& level) const {
  c_BitmapFont* font = levelFont;
  if (font == nullptr) return;
  const std::vector<FeedbackMark> noMarks;
  const CellMessages messages(level, feedback ? feedback->Marks() : noMarks, level.match->clock.lastMillisecs);
  for (int i = 0; i < level.scoreTexts.Length(); ++i) {
    const c_cScoreText* entry = level.scoreTexts[i];
    if (entry->active == 0 || !messages.TextShown(i)) continue;
    float x = static_cast<float>(entry->x);
    float y = static_cast<float>(entry->y);
    float alpha = entry->alpha;
    if (entry->kind == ScoreTextTheft) {
      const float t = std::min(1.0f, static_cast<float>(TextStepsRisen(*entry)) * kScoreTextFadePerStep);
      const float eased = t * t * (3 - 2 * t);
      const float fromY = y + static_cast<float>(TextStepsRisen(*entry));
      x += (kIronFieldX - x) * eased;
      y = fromY + (kIronFieldY - fromY) * eased;
      alpha = std::min(1.0f, (1.0f - t) * 4.0f);
    }
    const TextColour& colour = ColourOf(entry->kind);
    DrawShadowedText(font, entry->text, x, y, 1.0f, AlignLeft, colour.r, colour.g, colour.b, alpha);
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
  footprintGrounds.Mark();
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
  feedback.Mark();
  ringImage.Mark();
  workers.Mark();
  moments.Mark();
}
