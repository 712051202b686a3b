// A route is the list of cells the train passes from the start cell to the
// finish cell, with the side it enters and leaves each by; the track is the
// pieces that carry it, in the order the train meets them.
#pragma once

#include <vector>

#include "tools/solver/board_model.h"

// The pseudo side of a tunnel jump: the train leaves tunnel 0's cell by it and
// enters tunnel 1's cell by it.
constexpr int kThroughTunnel = 4;

struct RouteStep {
  CellXY cell;
  int entry;  // EntrySide, or kThroughTunnel at tunnel 1
  int exit;   // EntrySide, or kThroughTunnel at tunnel 0
};

struct TrackPiece {
  CellXY cell;
  int kind;  // PieceKind; a crossing where the route passes twice
  bool onStones;
};

// The piece kind joining two different sides.
int PieceJoining(int sideA, int sideB);
bool IsStraightPass(int entry, int exit);
int OppositeSide(int side);
// The neighbour across a side (may lie off the board).
CellXY Neighbour(CellXY c, int side);

// The pieces to order for a route: one per buildable cell it passes, two
// straight passes over one cell making a crossing. Tunnel ends hold their
// pieces already.
std::vector<TrackPiece> PiecesAlong(const BoardModel& board, const std::vector<RouteStep>& route);
int IronCost(const std::vector<TrackPiece>& pieces);
// Cells the train rolls into from the cell left of the board until the finish
// (the tunnel jump costs no travel).
int TravelCells(const std::vector<RouteStep>& route);
