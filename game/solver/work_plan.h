// A work schedule for a track: what a player clicks when, from the level's
// start, so that every piece is finished before the train leaves. It follows
// the game's rules for workers (an order or a clearing takes an idle worker,
// else one out of the mine), iron (paid when ordering) and the mine (25 iron
// per worker inside at each payout; every worker sent in restarts the payout
// clock).
//
// Every click falls on a beat of the plan: payouts, pieces and clearings all
// take whole beats, and a beat is a little longer than a payout interval, so
// each job and payout of the game is over before the next beat even when the
// game's updates fall late. Workers enter the mine only on a beat, just after
// a payout, so restarting the clock costs nothing.
#pragma once

#include <string>
#include <vector>

#include "game/solver/board_model.h"
#include "game/solver/track.h"

enum class WorkAction { ClearStones, OrderPiece, EnterMine, SendOff };

// What stops a level, for callers that word it themselves (blockedBy is the
// solver's own sentence, as --check-level prints it).
enum class PlanBlock { None, Route, Iron, Time };

struct PlannedClick {
  int atMs;           // game time from the level's start
  WorkAction action;
  int worker;         // 1..workers who takes the job or goes into the mine; 0 for the send-off
  CellXY cell;        // the cell to click: the mine's top-left cell for EnterMine, {-1, -1} for SendOff
  int piece;          // PieceKind to select first for OrderPiece, else -1
  int ironAfter;      // iron in stock right after the click
};

struct WorkPlan {
  bool feasible = false;
  std::string blockedBy;  // the constraint that makes the level unwinnable
  PlanBlock block = PlanBlock::None;
  std::vector<PlannedClick> clicks;
  int trackDoneMs = 0;    // the last piece finished
  int ironLeft = 0;       // in stock then
  int departureMs = 0;    // the train leaves (sent off, or at the end of the countdown)
  int arrivalMs = 0;      // the train is half-way through the finish cell
};

// The beat of the plan, in ms of game time.
constexpr int kPlanBeatMs = 5200;
// Time between the last piece finished and the click that sends the train off.
constexpr int kSendOffMarginMs = 2000;

WorkPlan PlanWork(const BoardModel& board, const std::vector<TrackPiece>& pieces, int travelCells, int workers);
