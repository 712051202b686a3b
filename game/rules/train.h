// The steam engine: its placement one cell left of the start, the departure
// countdown, the movement over finished pieces with the exact path geometry,
// the tunnel jump and the smoke. Its pictures are its view's.
#pragma once

#include "runtime/array.h"
#include "runtime/gc.h"

class c_cLevel;
class Match;

// Move codes: 3 x (side entered by) + turn (1 right, 2 straight, 3 left).
// 0 is no move.
constexpr int MoveNone = 0;
constexpr int MoveEnterWest_LeaveEast = 11;
constexpr int MoveEnterNorth_LeaveSouth = 2;
constexpr int MoveEnterSouth_LeaveNorth = 8;
constexpr int MoveEnterEast_LeaveWest = 5;

constexpr float kTrainSpeed = 0.02f;  // cells per 30 Hz tick
constexpr int kDepartureSeconds = 300;
constexpr float kLookAheadProgress = 0.75f;
constexpr float kArrivalProgress = 0.5f;
constexpr int kScorePerCell = 100;
constexpr int kSmokePoolSize = 5;
constexpr float kSmokeInterval = 30.0f;  // updates between puffs
constexpr float kSmokeGrowth = 0.15f;
constexpr float kSmokeFade = 0.02f;
constexpr float kSmokeDistance = 20.0f;

class c_cSmoke : public Object {
 public:
  int active = 0;
  int x = 0;
  int y = 0;
  float size = 0;
  float rotation = 0;
  float alpha = 0;
  int fading = 0;
};

class c_cTrain : public Object {
 public:
  // The match this train runs in (its run's flags, its clock, its generator).
  gc_ref<Match> match;

  void PlaceTrain(int cellX, int cellY, int finishX, int finishY);
  void UpdateTrain(const Array<int>& cellKinds);
  int NextMove(const Array<int>& cellKinds);
  void UpdateTrainPosition();
  void CheckTunnel(c_cLevel* level);
  void Mark() override;

  Array<c_cSmoke*> smokes;
  float speed = 0;
  float progress = 0;
  int cellX = 0;
  int cellY = 0;
  int move = 0;
  int nextMove = 0;
  int finishX = 0;
  int finishY = 0;
  float x = 0;
  float y = 0;
  int explodeRequest = 0;
  int countdown = 0;
  int nextCellX = 0;
  int nextCellY = 0;
  float heading = 0;
  int smokeX = 0;
  int smokeY = 0;
  float smokeTimer = 0;
  float lastSecondTime = 0;

 private:
  void EmitSmoke();
  void StepSmoke();
  void TickCountdown();
};

// The side a move code leaves its cell by, or -1 for no move.
int ExitSide(int move);
// The side a move code enters its cell by, or -1 for no move.
int EntrySideOf(int move);
