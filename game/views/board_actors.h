// Who is seen moving on the board, worked out afresh for every frame from the
// level's pools and the rules' recent reports: a worker walking from the START
// cell (or out of the mine) to his job and at work there, walking home when it
// is done, walking into the mine; the dust of a finished piece, stones
// breaking up, an enemy running off the board. Only drawing depends on it:
// the rules' timing stays their own (a walk takes a share of the job's time,
// read from its progress, so nothing waits for it).
#pragma once

#include <vector>

#include "game/rules/board.h"
#include "game/views/feedback_view.h"

enum class ActorKind {
  WorkerWalking,    // x, y: his feet; phase: share of the walk done
  WorkerHammering,  // at a piece being built
  WorkerPicking,    // at stones being cleared
  DustPuff,         // x, y: the cell's centre; phase: 0..1 of its life
  StonesBreaking,   // x, y: the cell's top-left; phase: 0..1 of its life
  RunningBandits,   // x, y: the picture's top-left
  RunningRaiders,
};

struct BoardActor {
  ActorKind kind = ActorKind::WorkerWalking;
  float x = 0;
  float y = 0;
  float phase = 0;
  float alpha = 1;
  float scale = 1;
  bool facingLeft = false;
  int frame = 0;
};

// How fast figures cross the board, in pixels per ms of the game's clock.
constexpr float kWalkPixelsPerMs = 0.3f;
constexpr float kRunPixelsPerMs = 0.16f;
// A walk to a job takes at most this share of the job's time, the rest is work.
constexpr float kMostWalkShare = 0.35f;
constexpr int kDustMs = 700;
constexpr int kStonesBreakMs = 800;
// A worker reaching the mine's door takes this long to disappear inside.
constexpr int kGoingInMs = 450;
// The worker picture's frames: a walk cycle, a hammer swing and a pick swing.
constexpr int kWorkerWalkFrames = 8;
constexpr int kWorkerSwingFrames = 8;
constexpr int kWorkerFrameCount = kWorkerWalkFrames + 2 * kWorkerSwingFrames;
constexpr int kWorkerFrameWidth = 40;
constexpr int kWorkerFrameHeight = 48;
// Where the feet stand in a frame.
constexpr float kWorkerFeetX = 20, kWorkerFeetY = 44;

// Where a worker stands: at the START cell, working a cell, at the mine's door.
struct Spot {
  float x = 0;
  float y = 0;
};
Spot CampSpot(const c_cLevel& level);
Spot WorkSpot(int cx, int cy);
Spot MineDoor(const c_cGoldMine& mine);

std::vector<BoardActor> BoardActorsNow(const c_cLevel& level, const std::vector<FeedbackMark>& marks, int now);
