#include "game/solver/track.h"

#include "game/rules/economy.h"

namespace {

constexpr int kStepX[4] = {0, 1, 0, -1};
constexpr int kStepY[4] = {-1, 0, 1, 0};

bool Buildable(Ground g) { return g == Ground::Free || g == Ground::Gold || g == Ground::Stones; }

// Index of the piece already listed on a cell, or -1.
int Find(const std::vector<TrackPiece>& pieces, CellXY c) {
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].cell.x == c.x && pieces[i].cell.y == c.y) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

int OppositeSide(int side) { return (side + 2) % 4; }

CellXY Neighbour(CellXY c, int side) { return {c.x + kStepX[side], c.y + kStepY[side]}; }

bool IsStraightPass(int entry, int exit) { return entry != kThroughTunnel && exit == OppositeSide(entry); }

int PieceJoining(int a, int b) {
  // By the pair of sides: bit N=1, E=2, S=4, W=8.
  const int pair = (1 << a) | (1 << b);
  switch (pair) {
    case 2 | 8: return PieceStraightWE;
    case 1 | 4: return PieceStraightNS;
    case 2 | 4: return PieceCurveES;
    case 8 | 4: return PieceCurveWS;
    case 2 | 1: return PieceCurveEN;
    default: return PieceCurveWN;  // W and N
  }
}

CellPieces PiecesAtStart(const BoardModel& board) {
  CellPieces pieces;
  pieces.fill(kNoPiece);
  if (board.hasTunnels) {
    const TunnelPair& t = board.tunnels;
    pieces[CellIndex(t.x0, t.y0)] = TunnelPieceKind(t.side0);
    pieces[CellIndex(t.x1, t.y1)] = TunnelPieceKind(t.side1);
  }
  return pieces;
}

int TunnelPieceKind(int tunnelSide) { return tunnelSide % 2 == 0 ? PieceStraightNS : PieceStraightWE; }

bool HasSide(int kind, int side) {
  if (kind == PieceCrossing) return true;
  if (kind < 0 || kind >= kPieceKindCount) return false;
  for (int other = 0; other < 4; ++other) {
    if (other != side && PieceJoining(side, other) == kind) return true;
  }
  return false;
}

bool Carries(int kind, int entry, int exit) {
  if (entry == kThroughTunnel || exit == kThroughTunnel) return false;
  if (kind == PieceCrossing) return IsStraightPass(entry, exit);
  return kind >= 0 && kind == PieceJoining(entry, exit);
}

int ExitThrough(int kind, int entry) {
  if (!HasSide(kind, entry)) return -1;
  if (kind == PieceCrossing) return OppositeSide(entry);
  for (int exit = 0; exit < 4; ++exit) {
    if (exit != entry && PieceJoining(entry, exit) == kind) return exit;
  }
  return -1;
}

std::vector<TrackPiece> PiecesAlong(const BoardModel& board, const std::vector<RouteStep>& route) {
  std::vector<TrackPiece> pieces;
  for (const RouteStep& s : route) {
    const Ground g = board.At(s.cell);
    if (!Buildable(g)) continue;
    const int again = Find(pieces, s.cell);
    if (again >= 0) {
      pieces[again].kind = PieceCrossing;
    } else {
      pieces.push_back({s.cell, PieceJoining(s.entry, s.exit), g == Ground::Stones});
    }
  }
  return pieces;
}

int IronCost(const std::vector<TrackPiece>& pieces) {
  int cost = 0;
  for (const TrackPiece& p : pieces) cost += PieceCost(p.kind);
  return cost;
}

int TravelCells(const std::vector<RouteStep>& route) {
  int cells = 0;
  for (const RouteStep& s : route) cells += s.entry == kThroughTunnel ? 0 : 1;
  return cells;
}
