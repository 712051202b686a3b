// The search runs over (cell, side entered by). It first computes, for every
// such state, the cheapest cost to the finish ignoring that a route may not
// reuse a cell; that is a lower bound, which an A* search over whole routes
// then uses to find the cheapest route that passes each cell once (twice for
// a crossing). Ties go to the deeper route, so on open boards the search walks
// straight down a cheapest route.
#include "game/solver/route_search.h"

#include <algorithm>
#include <cstdint>
#include <queue>

#include "game/rules/economy.h"

namespace {

constexpr int kEntryKinds = 5;  // the four sides and kThroughTunnel
constexpr int kStateCount = kCellCount * kEntryKinds;
constexpr std::int64_t kUnreachable = INT64_MAX / 4;
// One weight orders the three goals: iron, then stones, then gold. The
// smaller weights summed over any route stay below one unit of iron weight
// times the smallest difference of two piece costs.
constexpr std::int64_t kIronWeight = 100;
constexpr std::int64_t kStonesWeight = 10;
constexpr std::int64_t kNoGoldWeight = 1;
// A guard: a search this long means something is wrong, not a hard board.
constexpr int kExpansionLimit = 4000000;

// How a pass uses a cell; two straight passes across each other may share it.
enum PassBits : std::uint8_t { PassWE = 1, PassNS = 2, PassOther = 4 };

int StateOf(CellXY c, int entry) { return CellIndex(c.x, c.y) * kEntryKinds + entry; }

struct Move {
  int exit;
  CellXY next;
  int nextEntry;
  std::int64_t weight;
};

class RouteGraph {
 public:
  RouteGraph(const BoardModel& board, const CellPieces& built) : b(board), built(built) {}

  bool IsFinish(CellXY c) const { return c.x == b.finish.x && c.y == b.finish.y; }

  bool CanEnter(CellXY c, int entry) const {
    if (!OnBoard(c.x, c.y)) return false;
    switch (b.At(c)) {
      case Ground::Blocked:
      case Ground::Mine: return false;
      case Ground::TunnelEntrance: return entry != kThroughTunnel && OnTunnelAxis(b.tunnels.side0, entry);
      case Ground::TunnelExit: return entry == kThroughTunnel || OnTunnelAxis(b.tunnels.side1, entry);
      default: return entry != kThroughTunnel;
    }
  }

  // The piece on the finish cell only has to take the train in: any piece
  // with track on that side, else a new straight.
  std::int64_t FinishWeight(int entry) const {
    const std::int64_t order = HasSide(BuiltAt(b.finish), entry) ? 0 : OrderWeight(PieceStraightWE);
    return order + GroundWeight(b.finish);
  }

  // Two straight passes over one cell need a crossing. Each pass was weighed
  // alone, so a straight already standing there was counted as reused by one
  // of them; it has to make way for the crossing after all.
  std::int64_t CrossingSurcharge(CellXY c) const {
    const int kind = BuiltAt(c);
    return kind == PieceStraightWE || kind == PieceStraightNS ? OrderWeight(kind) : 0;
  }

  std::vector<Move> MovesFrom(CellXY c, int entry) const {
    std::vector<Move> moves;
    if (IsFinish(c)) return moves;
    switch (b.At(c)) {
      case Ground::TunnelEntrance:
        // The train jumps half-way through, whatever the piece leads to.
        moves.push_back({kThroughTunnel,
                         {b.tunnels.x1, b.tunnels.y1},
                         kThroughTunnel,
                         HasSide(BuiltAt(c), entry) ? 0 : OrderWeight(TunnelPieceKind(b.tunnels.side0))});
        break;
      case Ground::TunnelExit:
        if (entry == kThroughTunnel) {
          AddMove(moves, c, b.tunnels.side1, 0);
        } else {
          const int exit = OppositeSide(entry);
          AddMove(moves, c, exit, Carries(BuiltAt(c), entry, exit) ? 0 : OrderWeight(TunnelPieceKind(b.tunnels.side1)));
        }
        break;
      default:
        for (int exit = 0; exit < 4; ++exit) {
          if (exit != entry) AddMove(moves, c, exit, PieceWeight(c, entry, exit));
        }
    }
    return moves;
  }

  PassBits PassOf(CellXY c, int entry, int exit) const {
    const bool tunnel = b.At(c) == Ground::TunnelEntrance || b.At(c) == Ground::TunnelExit;
    if (tunnel || !IsStraightPass(entry, exit)) return PassOther;
    return entry % 2 == 1 ? PassWE : PassNS;
  }

 private:
  void AddMove(std::vector<Move>& moves, CellXY c, int exit, std::int64_t weight) const {
    const CellXY next = Neighbour(c, exit);
    if (CanEnter(next, OppositeSide(exit))) moves.push_back({exit, next, OppositeSide(exit), weight});
  }

  int BuiltAt(CellXY c) const { return built[CellIndex(c.x, c.y)]; }
  static std::int64_t OrderWeight(int kind) { return PieceCost(kind) * kIronWeight; }
  std::int64_t GroundWeight(CellXY c) const {
    const Ground g = b.At(c);
    return (g == Ground::Stones ? kStonesWeight : 0) + (g == Ground::Gold ? 0 : kNoGoldWeight);
  }
  // A pass over a buildable cell: free where the piece standing there carries
  // it, else a new piece (a wrong one is blown up first, which costs nothing).
  std::int64_t PieceWeight(CellXY c, int entry, int exit) const {
    const std::int64_t order = Carries(BuiltAt(c), entry, exit) ? 0 : OrderWeight(PieceJoining(entry, exit));
    return order + GroundWeight(c);
  }

  const BoardModel& b;
  const CellPieces& built;
};

// The cheapest cost from every state to the finish, cells reused freely.
std::vector<std::int64_t> CostsToFinish(const RouteGraph& graph) {
  std::vector<std::int64_t> cost(kStateCount, kUnreachable);
  bool changed = true;
  while (changed) {
    changed = false;
    for (int x = 0; x < kColumns; ++x) {
      for (int y = 0; y < kRows; ++y) {
        for (int entry = 0; entry < kEntryKinds; ++entry) {
          const CellXY c{x, y};
          if (!graph.CanEnter(c, entry)) continue;
          std::int64_t best = graph.IsFinish(c) ? graph.FinishWeight(entry) : kUnreachable;
          for (const Move& m : graph.MovesFrom(c, entry)) {
            best = std::min(best, m.weight + cost[StateOf(m.next, m.nextEntry)]);
          }
          if (best < cost[StateOf(c, entry)]) {
            cost[StateOf(c, entry)] = best;
            changed = true;
          }
        }
      }
    }
  }
  return cost;
}

struct Node {
  CellXY cell;
  int entry;
  std::int64_t g;  // weight of the pieces before this cell
  int parent;
};

struct Open {
  std::int64_t f, g;
  int node;
  bool operator<(const Open& o) const { return f != o.f ? f > o.f : g < o.g; }
};

class RouteAStar {
 public:
  RouteAStar(const RouteGraph& graph, const std::vector<std::int64_t>& h) : graph(graph), h(h) {}

  Route Run(CellXY start) {
    if (!graph.CanEnter(start, SideWest)) return {};
    Push({start, SideWest, 0, -1});
    for (int expanded = 0; !open.empty() && expanded < kExpansionLimit; ++expanded) {
      const int n = open.top().node;
      open.pop();
      if (graph.IsFinish(nodes[n].cell)) return Path(n);
      Expand(n);
    }
    return {};
  }

 private:
  void Push(const Node& node) {
    const std::int64_t rest = h[StateOf(node.cell, node.entry)];
    if (rest >= kUnreachable) return;
    nodes.push_back(node);
    open.push({node.g + rest, node.g, static_cast<int>(nodes.size()) - 1});
  }

  // The side a node's cell is left by, seen from the node entered next.
  static int ExitToward(const Node& next) {
    return next.entry == kThroughTunnel ? kThroughTunnel : OppositeSide(next.entry);
  }

  void Expand(int n) {
    const Node node = nodes[n];
    std::vector<std::uint8_t> used(kCellCount, 0);
    for (int child = n, p = node.parent; p >= 0; child = p, p = nodes[p].parent) {
      used[CellIndex(nodes[p].cell.x, nodes[p].cell.y)] |=
          graph.PassOf(nodes[p].cell, nodes[p].entry, ExitToward(nodes[child]));
    }
    const std::uint8_t here = used[CellIndex(node.cell.x, node.cell.y)];
    for (const Move& m : graph.MovesFrom(node.cell, node.entry)) {
      const PassBits pass = graph.PassOf(node.cell, node.entry, m.exit);
      const bool crossing = (here == PassWE && pass == PassNS) || (here == PassNS && pass == PassWE);
      if (here != 0 && !crossing) continue;
      if (used[CellIndex(m.next.x, m.next.y)] & PassOther) continue;
      Push({m.next, m.nextEntry, node.g + m.weight + (crossing ? graph.CrossingSurcharge(node.cell) : 0), n});
    }
  }

  Route Path(int last) const {
    std::vector<int> chain;
    for (int p = last; p >= 0; p = nodes[p].parent) chain.insert(chain.begin(), p);
    Route route;
    route.found = true;
    for (size_t i = 0; i < chain.size(); ++i) {
      const Node& node = nodes[chain[i]];
      const int exit = i + 1 < chain.size() ? ExitToward(nodes[chain[i + 1]]) : OppositeSide(node.entry);
      route.steps.push_back({node.cell, node.entry, exit});
    }
    return route;
  }

  const RouteGraph& graph;
  const std::vector<std::int64_t>& h;
  std::vector<Node> nodes;
  std::priority_queue<Open> open;
};

}  // namespace

Route FindCheapestRoute(const BoardModel& board) { return FindCheapestRoute(board, PiecesAtStart(board)); }

Route FindCheapestRoute(const BoardModel& board, const CellPieces& built) {
  const RouteGraph graph(board, built);
  const std::vector<std::int64_t> costs = CostsToFinish(graph);
  return RouteAStar(graph, costs).Run(board.start);
}
