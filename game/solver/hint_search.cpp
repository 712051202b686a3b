#include "game/solver/hint_search.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "game/rules/economy.h"
#include "game/rules/state.h"
#include "game/rules/train.h"

namespace {

constexpr int kDepartureMs = kDepartureSeconds * 1000;
// The train rolls one cell in this many ms.
constexpr double kCellTravelMs = kTickMilliseconds / kTrainSpeed;
constexpr int kNoDeadline = INT_MAX;
// More cells than any track can hold: a train still going is going round.
constexpr int kTraceLimit = 4 * kCellCount;

int TravelMs(double cells) { return static_cast<int>(std::floor(cells * kCellTravelMs)); }

CellPieces BuiltPieces(const HintState& s) {
  CellPieces built;
  for (int i = 0; i < kCellCount; ++i) built[i] = s.cells[i].piece != kNoPiece ? s.cells[i].piece : s.cells[i].building;
  return built;
}

// A piece the way needs on one cell, and whether what stands there does.
struct Need {
  CellXY cell;
  int kind;
  bool fits;
  int deadlineMs;  // the train looks for it then (from now)
};

// What the way needs of each cell it passes, in the order the train meets
// them. A train waiting left of the start looks for the start cell's piece a
// quarter of a cell after leaving, and for each later one a cell after that.
class NeedsAlong {
 public:
  NeedsAlong(const BoardModel& board, const CellPieces& built, int departureMs)
      : board(board), built(built), departureMs(departureMs) {}

  std::vector<Need> Walk(const std::vector<RouteStep>& steps) {
    double cellsToLookAhead = 0.25;  // from half-way through the cell left of the start
    for (size_t i = 0; i < steps.size(); ++i) {
      const RouteStep& s = steps[i];
      if (s.entry == kThroughTunnel) continue;  // the train comes out here; no look-ahead
      const int deadline = departureMs + TravelMs(cellsToLookAhead);
      cellsToLookAhead += 1.0;
      Add(s, i + 1 == steps.size(), deadline);
    }
    return needs;
  }

 private:
  void Add(const RouteStep& s, bool finish, int deadline) {
    const int kind = built[CellIndex(s.cell.x, s.cell.y)];
    const Ground g = board.At(s.cell);
    if (g == Ground::TunnelEntrance) {
      needs.push_back({s.cell, TunnelPieceKind(board.tunnels.side0), HasSide(kind, s.entry), deadline});
      return;
    }
    if (g == Ground::TunnelExit) {
      needs.push_back({s.cell, TunnelPieceKind(board.tunnels.side1), Carries(kind, s.entry, s.exit), deadline});
      return;
    }
    for (Need& n : needs) {
      if (n.cell.x == s.cell.x && n.cell.y == s.cell.y) {  // the second pass: a crossing
        n.kind = PieceCrossing;
        n.fits = kind == PieceCrossing;
        return;
      }
    }
    const bool fits = finish ? HasSide(kind, s.entry) : Carries(kind, s.entry, s.exit);
    needs.push_back({s.cell, PieceJoining(s.entry, s.exit), fits, deadline});
  }

  const BoardModel& board;
  const CellPieces& built;
  int departureMs;
  std::vector<Need> needs;
};

// A job still to start: clearing stones and ordering the piece, or ordering it.
struct Order {
  int releaseMs;  // the cell is free for the order then
  int deadlineMs;
  bool clearStones;
};

// Whether the crew can do the jobs in time, jobs taken as early as a worker
// is free: clearings first (the longest work), then orders, the piece the
// train needs soonest first. Every order must be placed before the train
// leaves and finished before the train looks for it. Iron is not counted.
bool CrewInTime(std::vector<int> freeAt, std::vector<Order> orders, int departureMs) {
  if (orders.empty()) return true;
  if (freeAt.empty()) return false;
  std::sort(orders.begin(), orders.end(), [](const Order& a, const Order& b) { return a.deadlineMs < b.deadlineMs; });
  const int clearMs = static_cast<int>(kStonesRemovalMs);
  for (Order& o : orders) {
    if (!o.clearStones) continue;
    auto worker = std::min_element(freeAt.begin(), freeAt.end());
    o.releaseMs = std::max(o.releaseMs, *worker) + clearMs;
    *worker = o.releaseMs;
  }
  const int buildMs = static_cast<int>(kBuildMs);
  for (const Order& o : orders) {
    auto worker = std::min_element(freeAt.begin(), freeAt.end());
    const int start = std::max(o.releaseMs, *worker);
    if (start > departureMs || start + buildMs > o.deadlineMs) return false;
    *worker = start + buildMs;
  }
  return true;
}

// When each worker is free: the idle ones and those in the mine now, the
// busy ones when their job is done.
std::vector<int> WorkersFreeAt(const HintState& s) {
  std::vector<int> freeAt(std::max(0, s.freeWorkers + s.mineWorkers), 0);
  for (const HintCell& c : s.cells) {
    if (c.building != kNoPiece) freeAt.push_back(c.buildMsLeft);
    if (c.clearMsLeft >= 0) freeAt.push_back(c.clearMsLeft);
  }
  return freeAt;
}

// The most the mine can pay before the train leaves: every worker inside at
// every payout, payouts 5 s apart from the next one due (or 5 s after the
// first worker goes in).
int MostMinedBy(const HintState& s, int departureMs, int workers) {
  if (!s.board.hasMine || s.mineReserve <= 0) return 0;
  const int payoutMs = static_cast<int>(kMinePayoutMs);
  const int first = s.mineWorkers > 0 ? std::max(0, s.msToPayout) : payoutMs;
  if (first > departureMs) return 0;
  const long long payouts = (departureMs - first) / payoutMs + 1;
  return static_cast<int>(std::min<long long>(s.mineReserve, payouts * kIronPerMineWorker * workers));
}

constexpr const char* kUnfinishedInTime =
    "time: a piece under construction is not finished before the train gets there";

HintResult NoWay(HintResult r, HintBlock block, const char* why) {
  r.wayExists = false;
  r.blockedBy = block;
  r.why = why;
  return r;
}

// Before the train leaves: the cheapest route over what stands, then what
// stops every way if anything does.
HintResult HintBeforeDeparture(const HintState& s, HintResult r) {
  const CellPieces built = BuiltPieces(s);
  r.route = FindCheapestRoute(s.board, built);
  if (!r.route.found) {
    return NoWay(r, HintBlock::Route, "route: scenery and the mine cut the start cell off from the finish cell");
  }
  const int departureMs = std::max(0, s.countdownMsLeft);
  std::vector<Order> orders;
  for (const Need& n : NeedsAlong(s.board, built, departureMs).Walk(r.route.steps)) {
    const HintCell& here = s.At(n.cell);
    const bool underConstruction = here.building != kNoPiece;
    if (n.fits) {
      if (underConstruction && here.buildMsLeft > n.deadlineMs) {
        return NoWay(r, HintBlock::Time, kUnfinishedInTime);
      }
      continue;
    }
    const bool stones = s.board.At(n.cell) == Ground::Stones;
    const bool demolish = here.piece != kNoPiece || underConstruction;
    r.toOrder.push_back({n.cell, n.kind, stones, demolish});
    r.ironCost += PieceCost(n.kind);
    r.demolitions += demolish ? 1 : 0;
    const int release = stones && here.clearMsLeft >= 0 ? here.clearMsLeft : underConstruction ? here.buildMsLeft : 0;
    orders.push_back({release, n.deadlineMs, stones && here.clearMsLeft < 0});
  }
  const int mineAll = s.board.hasMine ? std::max(0, s.mineReserve) : 0;
  if (r.ironCost > s.iron + mineAll) {
    return NoWay(r, HintBlock::Iron, "iron: the pieces cost more than the stock and the mine's reserve");
  }
  const std::vector<int> crew = WorkersFreeAt(s);
  if (!CrewInTime(crew, orders, departureMs)) {
    return NoWay(r, HintBlock::Time, "time: the workers cannot build the pieces before the train gets there");
  }
  if (r.ironCost > s.iron + MostMinedBy(s, departureMs, static_cast<int>(crew.size()))) {
    return NoWay(r, HintBlock::Time, "time: the mine cannot pay out the iron before the train leaves");
  }
  r.wayExists = true;
  return r;
}

// Once the train has left it follows the track: the hint is whether the pieces
// standing and those under construction take it to the finish in time.
HintResult HintWhileRunning(const HintState& s, HintResult r) {
  const BoardModel& b = s.board;
  const HintTrain& t = s.train;
  CellXY cell = t.cell;
  int exit = t.exit;
  double progress = t.progress;
  double cellsGone = 0;  // from now
  if (t.nextLookedUp) {
    cellsGone = 1.0 - progress;
    cell = t.nextCell;
    exit = t.nextExit;
    progress = 0;
  }
  for (int step = 0; step < kTraceLimit; ++step) {
    const bool atFinish = cell.x == b.finish.x && cell.y == b.finish.y;
    if (atFinish) {
      r.wayExists = true;
      return r;
    }
    if (b.hasTunnels && cell.x == b.tunnels.x0 && cell.y == b.tunnels.y0 && progress <= 0.5) {
      cellsGone += 0.5 - progress;
      cell = {b.tunnels.x1, b.tunnels.y1};
      exit = b.tunnels.side1;
      progress = 0.5;
      continue;
    }
    const CellXY next = Neighbour(cell, exit);
    const int entry = OppositeSide(exit);
    const int lookAheadMs = TravelMs(cellsGone + std::max(0.0, 0.75 - progress));
    if (!OnBoard(next.x, next.y)) break;
    const HintCell& there = s.At(next);
    int kind = there.piece;
    if (kind == kNoPiece && there.building != kNoPiece) {
      if (there.buildMsLeft > lookAheadMs) {
        return NoWay(r, HintBlock::Time, kUnfinishedInTime);
      }
      kind = there.building;
    }
    exit = ExitThrough(kind, entry);
    if (exit < 0) break;
    cellsGone += 1.0 - progress;
    cell = next;
    progress = 0;
  }
  return NoWay(r, HintBlock::TrainGone,
               "train gone: its track does not reach the finish and no more pieces can be ordered");
}

}  // namespace

HintState HintStateAtStart(const BoardModel& board, int workers) {
  HintState s;
  s.board = board;
  const CellPieces tunnels = PiecesAtStart(board);
  for (int i = 0; i < kCellCount; ++i) s.cells[i].piece = tunnels[i];
  s.iron = board.iron;
  s.mineReserve = board.hasMine ? board.mineReserve : 0;
  s.freeWorkers = workers;
  s.ownedWorkers = workers;
  s.countdownMsLeft = kDepartureMs;
  s.train.cell = {board.start.x - 1, board.start.y};
  return s;
}

HintResult FindHint(const HintState& s) {
  HintResult r;
  r.ironInStock = s.iron;
  r.hasMine = s.board.hasMine;
  r.mineReserve = s.board.hasMine ? s.mineReserve : 0;
  if (s.train.arrived) {
    r.wayExists = true;
    return r;
  }
  if (s.train.crashed) return NoWay(r, HintBlock::TrainGone, "train gone: it has crashed");
  return s.train.running ? HintWhileRunning(s, r) : HintBeforeDeparture(s, r);
}
