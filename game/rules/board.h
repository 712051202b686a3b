// The playing field: 13 by 9 cells of 74 pixels, the per-cell ground and rail
// arrays, and fixed pools of everything that stands on a cell. The level's
// rules are methods of c_cLevel, one file per concern: board.cpp (geometry,
// pools, placement, the update order), economy.cpp (clicks, orders, workers,
// mine, gold), hazards.cpp (events and enemies) and effects.cpp (explosions
// and floating texts). The board's pictures and drawing are its view's
// (views/board_view).
#pragma once

#include "game/rules/effects.h"
#include "game/rules/hazards.h"
#include "runtime/array.h"
#include "runtime/gc.h"

// ---- Geometry ----------------------------------------------------------------
constexpr int kCellSize = 74;
constexpr int kBoardOrigin = 31;
constexpr int kColumns = 13;
constexpr int kRows = 9;
constexpr int kCellCount = kColumns * kRows;  // 117

// Cell values of cellKinds besides the piece kinds 0..6.
constexpr int CellEmpty = -1;
constexpr int CellBlocked = -2;

// Rail piece kinds, and the demolition tool in selectedPiece.
enum PieceKind {
  PieceStraightWE = 0,
  PieceStraightNS = 1,
  PieceCurveES = 2,
  PieceCurveWS = 3,
  PieceCurveEN = 4,
  PieceCurveWN = 5,
  PieceCrossing = 6,
  PieceDemolish = 7,
};
constexpr int kPieceKindCount = 7;
constexpr int kPaletteSlots = 8;

// Sides of a cell.
enum EntrySide { SideNorth = 0, SideEast = 1, SideSouth = 2, SideWest = 3 };

// ---- Pools ---------------------------------------------------------------------
constexpr int kRailTilePoolSize = 20;
constexpr int kBlockTilePoolSize = 40;
constexpr int kGoldPoolSize = 50;
constexpr int kBuildingPoolSize = 50;
constexpr int kTunnelCount = 2;
constexpr int kBuildingKindCount = 15;
constexpr int kGroundVariants = 3;

// The animated 2 by 2 pond.
constexpr int kPondBuildingKind = 3;
constexpr int kPondLastFrame = 11;
constexpr int kPondFrameCount = kPondLastFrame + 1;
constexpr int kPondFrameDelay = 80;
constexpr int kMineAnimationLastFrame = 8;

inline int CellIndex(int x, int y) { return 9 * x + y; }
inline bool OnBoard(int x, int y) { return x >= 0 && x < kColumns && y >= 0 && y < kRows; }
// Top-left pixel of a column or row.
inline int CellLeft(int x) { return kBoardOrigin + kCellSize * x; }
inline int CellTop(int y) { return kBoardOrigin + kCellSize * y; }
// Centre pixel of a column or row (the same along both axes).
inline int CellCentre(int xOrY) { return kBoardOrigin + kCellSize * xOrY + kCellSize / 2; }
// The column or row under a pixel position: -1 at or left of the board's edge.
int CellAt(float pixel);

class c_cRailTile : public Object {
 public:
  int active = 0;
  int kind = 0;
  int x = 0;
  int y = 0;
  float progress = 0;
  int building = 0;
  int finished = 0;
  float startTime = 0;
  float lastTime = 0;
};

class c_cBlockTile : public Object {
 public:
  int active = 0;
  int x = 0;
  int y = 0;
  float progress = 0;
  int removed = 0;
  int removing = 0;
  float startTime = 0;
  float lastTime = 0;
};

class c_cBuilding : public Object {
 public:
  int active = 0;
  int kind = 0;
  int x = 0;
  int y = 0;
  int frame = 0;
  float lastFrameTime = 0;
  int maxFrame = 0;
  int frameDelay = 0;
};

class c_cTunnel : public Object {
 public:
  int active = 0;
  int side = 0;  // EntrySide the train faces when it leaves this end
  int x = 0;
  int y = 0;
};

class c_cGold : public Object {
 public:
  int active = 0;
  int x = 0;
  int y = 0;
};

class c_cGoldMine : public Object {
 public:
  int active = 0;
  int reserve = 0;
  int x = 0;
  int y = 0;
  int workers = 0;
  int frame = 0;
  float lastFrameTime = 0;
};

class c_cTrain;
class Match;

class c_cLevel : public Object {
 public:
  // The match this board belongs to: its rules read and write the match's
  // run, flags, clock and random generator.
  gc_ref<Match> match;

  // ---- board.cpp: start-up, placement, the update order ----
  void CreateLevelPools();
  // Fresh cell arrays and scenery pool, every pool entry inactive (level start).
  void ClearBoard();
  // No bandits, raiders, explosions or floating texts left from a run before.
  void ClearRunPools();
  void AddBuilding(int kind, int x, int y);
  void AddGold(int x, int y);
  void AddStones(int x, int y);
  void SetTunnels(int side0, int side1, int x0, int y0, int x1, int y1);
  void SetMine(int reserve, int x, int y);
  void UpdateLevel();
  int CellKind(int x, int y) const { return cellKinds[CellIndex(x, y)]; }
  void SetCellKind(int x, int y, int kind) { cellKinds[CellIndex(x, y)] = kind; }

  // ---- economy.cpp: what the player does on the board ----
  void ClickBoard(float px, float py);
  void StartConstruction(int x, int y);
  void AssignMineWorker();
  void UpdateConstruction();
  void UpdateStones();
  void UpdateMine();
  void CollectGold(c_cTrain* train);
  // Takes one worker for a job: an idle one, else one out of the mine.
  bool TakeWorker();

  // ---- hazards.cpp: events, enemies and effects ----
  void SetupRandomEvents(int banditsKind, int indigensKind);
  // No events at all (the first level).
  void ClearRandomEvents();
  void TickRandomEvents();
  void UpdateHazards();
  void SpawnBandits();
  void PickIndigensCell();
  void SpawnIndigens(int x, int y);
  bool ClickHazard(float px, float py);
  // The enemy a click on the cell would count against: the bandits, else the
  // first raiders there; null when none.
  c_cEnemy* EnemyAt(int cx, int cy) const;
  void AddExplosion(int x, int y);
  void AddScoreText(int amount, int x, int y);
  void AddFloatingMessage(const String& text, int x, int y);
  // Iron taken from the stock: "-amount", shown flying to the stock.
  void AddTheftText(int amount, int x, int y);
  void UpdateScoreTexts();

  void Mark() override;

  // Pools.
  Array<c_cExplosion*> explosions;
  Array<c_cRailTile*> railTiles;
  Array<c_cBlockTile*> blockTiles;
  Array<c_cGold*> golds;
  Array<c_cScoreText*> scoreTexts;
  Array<c_cBandits*> bandits;
  Array<c_cIndigens*> indigens;
  Array<c_cTunnel*> tunnels;
  gc_ref<c_cRandomEventGenerator> eventGenerator;
  gc_ref<c_cGoldMine> mine;
  float lastMinePayout = -1.0f;
  Array<int> groundVariants;
  Array<int> cellKinds;
  Array<c_cBuilding*> buildings;
  int startX = 0;
  int startY = 0;
  int finishX = 0;
  int finishY = 0;
  int indigensCellX = -1;
  int indigensCellY = -1;
};
