// A route is the list of cells the train passes from the start cell to the
// finish cell, with the side it enters and leaves each by; the track is the
// pieces that carry it, in the order the train meets them.
#pragma once

#include <array>
#include <vector>

#include "game/solver/board_model.h"

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

// What stands on every cell for a route to reuse: the kind of a finished
// piece, or of one under construction (it will be there), or kNoPiece.
constexpr int kNoPiece = -1;
using CellPieces = std::array<int, kCellCount>;

// The pieces of a board before anything is ordered: the straights the tunnel
// ends are laid out with.
CellPieces PiecesAtStart(const BoardModel& board);
// The straight a tunnel end holds for its side.
int TunnelPieceKind(int tunnelSide);
// Whether a piece kind (or kNoPiece) has track on a side, so a train entering
// by it is taken in.
bool HasSide(int kind, int side);
// Whether a piece kind carries a train from `entry` to `exit`: the piece
// joining them, or a crossing for a straight pass.
bool Carries(int kind, int entry, int exit);

// The side a piece takes a train entering by `entry` out by, or -1.
int ExitThrough(int kind, int entry);

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
