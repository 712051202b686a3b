#include "game/rules/train.h"

#include <cmath>

#include "game/rules/board.h"
#include "game/rules/match.h"
#include "runtime/error.h"

namespace {

constexpr float kQuarterTurn = 1.5707964f;        // pi / 2 in single precision
constexpr float kDegreesPerRadian = 57.29578f;
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kHalfCell = 37.0f;

// The move a train makes through a piece it enters from `side`, or 0 when the
// piece has no track on that side. Indexed by the side entered by, then kind.
constexpr int kMoveThrough[4][kPieceKindCount] = {
    // kind:    0  1  2  3  4  5  6
    /* N */ {0, 2, 0, 0, 3, 1, 2},
    /* E */ {5, 0, 6, 0, 4, 0, 5},
    /* S */ {0, 8, 7, 9, 0, 0, 8},
    /* W */ {11, 0, 0, 10, 0, 12, 11},
};

// The side of the next cell a train leaving by `exitSide` enters by.
int Opposite(int side) { return (side + 2) % 4; }

// Column and row steps for leaving by each side.
constexpr int kStepX[4] = {0, 1, 0, -1};
constexpr int kStepY[4] = {-1, 0, 1, 0};

// The move that leaves tunnel 1 heading out along its side.
int MoveLeavingBy(int side) {
  constexpr int kMoves[4] = {8, 11, 2, 5};
  return side >= 0 && side < 4 ? kMoves[side] : MoveNone;
}

}  // namespace

int EntrySideOf(int move) { return move >= 1 && move <= 12 ? (move - 1) / 3 : -1; }

int ExitSide(int move) {
  const int entry = EntrySideOf(move);
  if (entry < 0) return -1;
  const int turn = (move - 1) % 3 + 1;  // 1 right, 2 straight, 3 left
  // Facing into the cell from `entry`, the train heads towards Opposite(entry);
  // its right is one side clockwise of that heading.
  const int heading = Opposite(entry);
  if (turn == 2) return heading;
  return turn == 1 ? (heading + 1) % 4 : (heading + 3) % 4;
}

void c_cTrain::PlaceTrain(int startCellX, int startCellY, int finishCellX, int finishCellY) {
  smokes = Array<c_cSmoke*>(kSmokePoolSize);
  for (int i = 0; i < kSmokePoolSize; ++i) smokes[i] = new c_cSmoke();
  speed = kTrainSpeed;
  progress = 0.5f;
  cellX = startCellX;
  cellY = startCellY;
  finishX = finishCellX;
  finishY = finishCellY;
  move = MoveEnterWest_LeaveEast;
  nextMove = MoveNone;
  explodeRequest = 0;
  countdown = 0;
  x = static_cast<float>(CellCentre(cellX));
  y = static_cast<float>(CellCentre(cellY));
  // Facing east, as a new engine does (only its picture reads this before
  // it first moves).
  heading = 0;
  if (MendedRules()) {
    // The first rules kept the last run's smoke and second timers and the
    // next cell, so a restart's first puffs and ticks came at other times.
    nextCellX = cellX;
    nextCellY = cellY;
    smokeX = smokeY = 0;
    smokeTimer = 0;
    lastSecondTime = 0;
  }
  LevelRun& run = match->run;
  run.trainArrived = run.trainRunning = run.trainCrashed = 0;
}

void c_cTrain::UpdateTrain(const Array<int>& cellKinds) {
  if (match->flags.gamePaused == 1) return;
  if (match->run.trainRunning == 0) {
    StepSmoke();
    TickCountdown();
    return;
  }
  progress += speed * match->clock.timeFactor;
  if (progress >= kArrivalProgress && cellX == finishX && cellY == finishY) {
    match->run.trainRunning = 0;
    match->run.trainArrived = 1;
    PlayGameSound(SoundLevelWon);
  }
  if (progress > kLookAheadProgress && nextMove == MoveNone && match->run.trainArrived == 0) {
    nextMove = NextMove(cellKinds);
    if (nextMove == MoveNone) {
      move = MoveNone;
      Print(String("boom"));
      match->run.trainRunning = 0;
      match->run.trainCrashed = 1;
      explodeRequest = 1;
      PlayGameSound(SoundLevelLost);
    }
  }
  if (progress >= 1.0f) {
    progress -= 1.0f;
    match->run.levelScore += kScorePerCell;
    move = nextMove;
    cellX = nextCellX;
    cellY = nextCellY;
    nextMove = MoveNone;
  }
  if (move != MoveNone) UpdateTrainPosition();
  EmitSmoke();
  StepSmoke();
}

void c_cTrain::TickCountdown() {
  const float now = static_cast<float>(match->clock.lastMillisecs);
  if (lastSecondTime + kSecondMs > now) return;
  countdown += 1;
  lastSecondTime = now;
  if (countdown == kDepartureSeconds) {
    match->run.departSecondsLeft = -1;
    match->run.trainRunning = 1;
  }
  // A send-off takes effect at the next whole-second tick.
  if (match->run.departNow == 1) {
    match->run.departNow = 0;
    countdown = kDepartureSeconds;
    match->run.trainRunning = 1;
  }
  if (match->run.trainRunning == 1) PlayGameSound(SoundTrainLeaves);
}

void c_cTrain::EmitSmoke() {
  smokeTimer -= 1.0f;
  if (smokeTimer > 0.0f) return;
  for (int i = 0; i < smokes.Length(); ++i) {
    c_cSmoke* puff = smokes[i];
    if (puff->active) continue;
    puff->x = smokeX;
    puff->y = smokeY;
    puff->size = 0;
    puff->active = 1;
    match->random.seed = static_cast<std::uint32_t>(GameMillisecs());
    puff->rotation = static_cast<float>(match->random.Below(kFullTurnDegrees));
    puff->alpha = 1.0f;
    puff->fading = 0;
    break;
  }
  smokeTimer = kSmokeInterval;
}

void c_cTrain::StepSmoke() {
  for (int i = 0; i < smokes.Length(); ++i) {
    c_cSmoke* puff = smokes[i];
    if (!puff->active) continue;
    if (puff->fading == 1) {
      puff->alpha -= kSmokeFade;
    } else {
      puff->size += kSmokeGrowth;
      if (puff->size >= 1.0f) {
        puff->size = 1.0f;
        puff->fading = 1;
      }
    }
    if (puff->alpha < 0.0f) puff->active = 0;
  }
}

int c_cTrain::NextMove(const Array<int>& cellKinds) {
  nextCellX = cellX;
  nextCellY = cellY;
  const int side = ExitSide(move);
  if (side < 0) return MoveNone;
  const int nx = cellX + kStepX[side];
  const int ny = cellY + kStepY[side];
  if (!OnBoard(nx, ny)) return MoveNone;
  nextCellX = nx;
  nextCellY = ny;
  const int kind = cellKinds[CellIndex(nx, ny)];
  if (kind < 0 || kind >= kPieceKindCount) return MoveNone;
  return kMoveThrough[Opposite(side)][kind];
}

void c_cTrain::UpdateTrainPosition() {
  const float x0 = static_cast<float>(CellLeft(cellX));
  const float y0 = static_cast<float>(CellTop(cellY));
  const float p = progress;
  const float size = static_cast<float>(kCellSize);
  float nx = x;
  float ny = y;
  // Curves run on a quarter circle about one corner of the cell.
  auto arc = [&](float cx, float cy, float theta) {
    nx = cx + kHalfCell * std::sin(theta);
    ny = cy + kHalfCell * std::cos(theta);
  };
  switch (move) {
    case 11: nx = x0 + size * p; ny = y0 + kHalfCell; break;
    case 5: nx = x0 + size * (1.0f - p); ny = y0 + kHalfCell; break;
    case 2: nx = x0 + kHalfCell; ny = y0 + size * p; break;
    case 8: nx = x0 + kHalfCell; ny = y0 + size * (1.0f - p); break;
    case 12: arc(x0, y0, p * kQuarterTurn); break;
    case 1: arc(x0, y0, (1.0f - p) * kQuarterTurn); break;
    case 9: arc(x0, y0 + size, (p + 1.0f) * kQuarterTurn); break;
    case 10: arc(x0, y0 + size, (2.0f - p) * kQuarterTurn); break;
    case 6: arc(x0 + size, y0 + size, (p + 2.0f) * kQuarterTurn); break;
    case 7: arc(x0 + size, y0 + size, (3.0f - p) * kQuarterTurn); break;
    case 3: arc(x0 + size, y0, (p + 3.0f) * kQuarterTurn); break;
    case 4: arc(x0 + size, y0, (4.0f - p) * kQuarterTurn); break;
    default: return;
  }
  heading = std::atan2(ny - y, nx - x) * kDegreesPerRadian;
  x = nx;
  y = ny;
  smokeX = static_cast<int>(nx + kSmokeDistance * std::cos(heading * kRadiansPerDegree));
  smokeY = static_cast<int>(ny + kSmokeDistance * std::sin(heading * kRadiansPerDegree));
}

void c_cTrain::CheckTunnel(c_cLevel* level) {
  c_cTunnel* entrance = level->tunnels[0];
  c_cTunnel* exit = level->tunnels[1];
  if (!entrance->active || cellX != entrance->x || cellY != entrance->y || progress < 0.5f) return;
  cellX = exit->x;
  cellY = exit->y;
  progress = 0.5f;
  nextMove = MoveNone;
  move = MoveLeavingBy(exit->side);
}

void c_cTrain::Mark() {
  match.Mark();
  smokes.Mark();
}
