// The board's pictures and its drawing: the ground, rails, the scenery's own
// ground under its footprints, the grid while placing, jobs, the mine,
// stones, gold, enemies, scenery, the start and finish plates, explosions
// (under the train), then the frame picture, the tunnel mouths and the
// floating texts (over it). It only reads the level.
#pragma once

#include "game/rules/board.h"
#include "game/rules/match.h"
#include "game/views/feedback_view.h"
#include "game/views/moment_view.h"
#include "game/views/worker_view.h"
#include "graphics/drawing.h"
#include "runtime/array.h"
#include "runtime/gc.h"
#include "support/bitmap_font.h"

// A dark trough along the top of a cell, inset from its sides so bars of
// neighbouring cells stay apart, with a gold part for `percent` of 100 (the
// progress of a job, or how close an enemy is to being driven off).
void DrawProgressBar(int x, int y, float percent);

// Which of the eight turns and mirrorings of a ground picture a cell shows,
// 0..7 (bit 2: mirrored; bits 0-1: quarter turns), so the ground shows no
// grid of repeated tiles. Fixed per cell.
int GroundTurnOf(int x, int y);
// Whether a piece of scenery at the cell is drawn mirrored.
bool SceneryMirrored(int x, int y);

// What clearing stones takes, said under the pointer: "Clear: 1 worker, 15 s".
String StonesClearingText();

// The mine's line: who works it and what is left, "3 at work - 1200 left".
String MineText(const c_cGoldMine& mine);

class c_BoardView : public Object {
 public:
  void LoadLevelImages();
  // The layers under the train.
  void RenderBoard(const Match& match) const;
  // The layers over the train.
  void RenderBoardOverlay(const Match& match) const;
  // Single layers: the enemies with their meters, the explosions (added onto
  // the board) and the floating texts.
  void DrawHazards(const c_cLevel& level) const;
  void DrawExplosions(const c_cLevel& level) const;
  void DrawScoreTexts(const c_cLevel& level) const;
  // What a click at the pointer would do: the selected piece as a green or
  // red ghost with its cost, the dynamite over a piece it would remove, or a
  // ring with a word over stones, the mine and an enemy.
  void DrawClickPreview(const Match& match, float pointerX, float pointerY) const;
  // The verdict also as a shape (a tick or a cross) while the cue is on.
  void DrawVerdictCue(int cx, int cy, bool taken) const;
  void Mark() override;

  // The view's memory of the rules' answers (set by the session).
  gc_ref<c_FeedbackView> feedback;
  // Who moves on the board, and the joined line's moment (the session shows
  // the moment each update what the level has become).
  gc_ref<c_WorkerView> workers = new c_WorkerView();
  gc_ref<c_MomentView> moments = new c_MomentView();
  gc_ref<c_Image> ringImage;
  // The faint grid between the cells (set by the session while a piece is
  // selected or the keyboard cursor is on the board).
  bool gridShown = false;

  gc_ref<c_Image> borderImage;
  Array<c_Image*> groundImages;
  Array<c_Image*> pieceImages;
  gc_ref<c_Image> explosionImage;
  gc_ref<c_Image> mineImage;
  gc_ref<c_Image> mineAnimImage;
  gc_ref<c_Image> stonesImage;
  // The ground under scenery, one frame per building kind.
  gc_ref<c_Image> footprintGrounds;
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
  void DrawFootprintGrounds(const c_cLevel& level) const;
  void DrawGrid() const;
  void DrawJobs(const c_cLevel& level) const;
  void DrawMine(const c_cLevel& level) const;
  void DrawScenery(const c_cLevel& level) const;
  void DrawTunnels(const c_cLevel& level) const;
  void DrawEnemy(c_Image* picture, const c_cEnemy* enemy, int nowMs) const;
  void DrawRing(int cx, int cy, float scale) const;
  void DrawCellWord(const String& word, int cx, int cy, bool refused) const;
  void DrawMineText(const c_cGoldMine& mine) const;
  void DrawActors(const c_cLevel& level) const;
};
