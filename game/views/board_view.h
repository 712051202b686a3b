// The board's pictures and its drawing: the ground, rails, jobs, the mine,
// stones, gold, enemies, scenery, the start and finish plates, explosions
// (under the train), then the frame picture, the tunnel mouths and the
// floating texts (over it). It only reads the level.
#pragma once

#include "game/rules/board.h"
#include "graphics/drawing.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

// A grey bar along the top of a cell with a green part for `percent` of 100
// (the progress of a job, or how close an enemy is to being driven off).
void DrawProgressBar(int x, int y, float percent);

class c_BoardView : public Object {
 public:
  void LoadLevelImages();
  // The layers under the train.
  void RenderBoard(const c_cLevel& level) const;
  // The layers over the train.
  void RenderBoardOverlay(const c_cLevel& level) const;
  // Single layers: the enemies with their meters, the explosions (added onto
  // the board) and the floating texts.
  void DrawHazards(const c_cLevel& level) const;
  void DrawExplosions(const c_cLevel& level) const;
  void DrawScoreTexts(const c_cLevel& level) const;
  void Mark() override;

  gc_ref<c_Image> borderImage;
  Array<c_Image*> groundImages;
  Array<c_Image*> pieceImages;
  gc_ref<c_Image> explosionImage;
  gc_ref<c_Image> mineImage;
  gc_ref<c_Image> mineAnimImage;
  gc_ref<c_Image> stonesImage;
  gc_ref<c_Image> goldImage;
  Array<c_Image*> buildingImages;
  gc_ref<c_Image> tunnelImageN;
  gc_ref<c_Image> tunnelImageS;
  gc_ref<c_Image> tunnelImageW;
  gc_ref<c_Image> tunnelImageE;
  gc_ref<c_Image> banditImage;
  gc_ref<c_Image> indigenImage;
  gc_ref<c_Image> startTileImage;
  gc_ref<c_Image> finishTileImage;
  gc_ref<c_BitmapFont> levelFont;

 private:
  void DrawCells(const c_cLevel& level) const;
  void DrawJobs(const c_cLevel& level) const;
  void DrawMine(const c_cLevel& level) const;
  void DrawScenery(const c_cLevel& level) const;
  void DrawTunnels(const c_cLevel& level) const;
};
