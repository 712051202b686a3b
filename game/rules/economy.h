// The numbers of the level economy: what pieces cost, how long the workers
// take, what the mine pays and what a gold nugget is worth.
#pragma once

#include "game/rules/feedback.h"

class c_cLevel;

// Iron cost of a piece kind: straights, curves, the crossing.
constexpr int kStraightCost = 100;
constexpr int kCurveCost = 150;
constexpr int kCrossingCost = 200;
// Iron cost of an order of piece kind 0..6.
int PieceCost(int kind);

// Unpaused milliseconds a worker needs for a piece, and for clearing stones.
constexpr float kBuildMs = 5000.0f;
constexpr float kStonesRemovalMs = 15000.0f;
// Progress of a job runs from 0 to this.
constexpr float kJobComplete = 100.0f;

// The mine pays every kMinePayoutMs, this much iron for each worker inside.
constexpr float kMinePayoutMs = 5000.0f;
constexpr int kIronPerMineWorker = 25;
constexpr float kMineFrameMs = 100.0f;
// Shown at the mine's centre once its reserve is spent.
constexpr const char* kMineEmptyMessage = "No more Iron.";

// A nugget is picked up once the engine is half-way through its cell, and is
// worth this much.
constexpr float kGoldPickupProgress = 0.5f;
constexpr int kGoldScore = 300;
constexpr int kGoldMoney = 100;

// What a left click on the board would do, in the order the click tries it:
// an enemy, the mine, idle stones, then the palette's piece or tool. The click
// itself acts on this answer, so a preview drawn from it cannot disagree.
enum class BoardTargetKind { Nothing, Enemy, Mine, Stones, Order, Demolish };
struct BoardTarget {
  BoardTargetKind kind = BoardTargetKind::Nothing;
  int cellX = -1;
  int cellY = -1;
  // Mine, Stones and Order: Taken, or why the click is refused. Demolish:
  // Taken when there is a finished piece to blow up, else Blocked.
  OrderVerdict verdict = OrderVerdict::Taken;
};
BoardTarget TargetOfClick(const c_cLevel& level, float px, float py);

// Whether an order of the selected piece kind on the cell would be taken, and
// if not, why (the first reason in the order the order checks them).
OrderVerdict CheckOrder(const c_cLevel& level, int cx, int cy);
