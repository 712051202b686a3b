#include "game/solver/work_plan.h"

#include <algorithm>
#include <cmath>

#include "game/rules/economy.h"
#include "game/rules/state.h"
#include "game/rules/train.h"

namespace {

constexpr int kDepartureMs = kDepartureSeconds * 1000;
// A send-off takes effect at the countdown's next whole second.
constexpr int kSendOffDelayMs = 1000;
// The train rolls one cell in this many ms.
constexpr double kCellTravelMs = kTickMilliseconds / kTrainSpeed;

int Beats(float ms) { return static_cast<int>(std::ceil(ms / kMinePayoutMs)); }

enum class Place { Idle, Mine, Busy };

struct Worker {
  Place place = Place::Idle;
  int busyUntil = 0;
};

enum class Stones { None, Waiting, Clearing, Cleared };

struct Job {
  TrackPiece piece;
  Stones stones;
  int clearedAt = 0;
  bool ordered = false;
};

class Planner {
 public:
  Planner(const BoardModel& board, const std::vector<TrackPiece>& pieces, int workers)
      : board(board), iron(board.iron), reserve(board.hasMine ? board.mineReserve : 0), crew(workers) {
    for (const TrackPiece& p : pieces) jobs.push_back({p, p.onStones ? Stones::Waiting : Stones::None, 0, false});
  }

  WorkPlan Run() {
    for (int t = 0; t <= kDepartureMs; t += kPlanBeatMs) {
      FinishJobs(t);
      PayMine();
      StartClearings(t);
      OrderPieces(t);
      FillMine(t);
      if (AllOrdered() && !AnyBusy()) return Finished(t);
      if (Stuck()) return Blocked(PlanBlock::Iron, "iron: the track costs more than the start iron and the mine's reserve give");
    }
    return Blocked(PlanBlock::Time, "time: the track cannot be finished before the train has to leave");
  }

 private:
  void FinishJobs(int t) {
    for (Worker& w : crew) {
      if (w.place == Place::Busy && w.busyUntil <= t) w.place = Place::Idle;
    }
    for (Job& j : jobs) {
      if (j.stones == Stones::Clearing && j.clearedAt <= t) j.stones = Stones::Cleared;
    }
  }

  void PayMine() {
    const int pay = std::min(reserve, kIronPerMineWorker * Count(Place::Mine));
    reserve -= pay;
    iron += pay;
  }

  void StartClearings(int t) {
    for (Job& j : jobs) {
      if (j.stones != Stones::Waiting) continue;
      const int done = t + Beats(kStonesRemovalMs) * kPlanBeatMs;
      const int w = TakeWorker(done);
      if (w < 0) return;
      j.stones = Stones::Clearing;
      j.clearedAt = done;
      Click(t, WorkAction::ClearStones, w, j.piece.cell, -1);
    }
  }

  void OrderPieces(int t) {
    for (Job& j : jobs) {
      const bool ready = j.stones == Stones::None || j.stones == Stones::Cleared;
      if (j.ordered || !ready || iron < PieceCost(j.piece.kind)) continue;
      const int w = TakeWorker(t + Beats(kBuildMs) * kPlanBeatMs);
      if (w < 0) return;
      iron -= PieceCost(j.piece.kind);
      j.ordered = true;
      Click(t, WorkAction::OrderPiece, w, j.piece.cell, j.piece.kind);
    }
  }

  // Idle workers go mining while the stock does not pay for what is left.
  void FillMine(int t) {
    if (reserve <= 0) return;
    for (size_t i = 0; i < crew.size() && iron < CostLeft(); ++i) {
      if (crew[i].place != Place::Idle) continue;
      crew[i].place = Place::Mine;
      Click(t, WorkAction::EnterMine, static_cast<int>(i) + 1, board.mine, -1);
    }
  }

  // The worker the game would take for a job: the first idle one, else one
  // out of the mine. Returns its number, or -1 when there is none.
  int TakeWorker(int busyUntil) {
    for (Place from : {Place::Idle, Place::Mine}) {
      for (size_t i = 0; i < crew.size(); ++i) {
        if (crew[i].place != from) continue;
        crew[i] = {Place::Busy, busyUntil};
        return static_cast<int>(i) + 1;
      }
    }
    return -1;
  }

  void Click(int t, WorkAction action, int worker, CellXY cell, int piece) {
    plan.clicks.push_back({t, action, worker, cell, piece, iron});
  }

  int Count(Place p) const {
    return static_cast<int>(std::count_if(crew.begin(), crew.end(), [p](const Worker& w) { return w.place == p; }));
  }
  bool AnyBusy() const { return Count(Place::Busy) > 0; }
  bool AllOrdered() const {
    return std::all_of(jobs.begin(), jobs.end(), [](const Job& j) { return j.ordered; });
  }
  int CostLeft() const {
    int cost = 0;
    for (const Job& j : jobs) cost += j.ordered ? 0 : PieceCost(j.piece.kind);
    return cost;
  }
  // Nothing under way, nothing to mine, and the next piece unaffordable.
  bool Stuck() const {
    if (AnyBusy() || (reserve > 0 && Count(Place::Mine) > 0)) return false;
    for (const Job& j : jobs) {
      if (!j.ordered && iron >= PieceCost(j.piece.kind)) return false;
    }
    return !AllOrdered();
  }

  WorkPlan Finished(int t) {
    plan.trackDoneMs = t;
    plan.ironLeft = iron;
    const int sendOff = t + kSendOffMarginMs;
    if (sendOff + kSendOffDelayMs > kDepartureMs) {
      return Blocked(PlanBlock::Time, "time: the track is finished too close to the train's departure");
    }
    plan.clicks.push_back({sendOff, WorkAction::SendOff, 0, {-1, -1}, -1, iron});
    plan.departureMs = sendOff + kSendOffDelayMs;
    plan.feasible = true;
    return plan;
  }

  WorkPlan Blocked(PlanBlock block, const char* why) {
    plan.feasible = false;
    plan.block = block;
    plan.blockedBy = why;
    return plan;
  }

  const BoardModel& board;
  int iron;
  int reserve;
  std::vector<Worker> crew;
  std::vector<Job> jobs;
  WorkPlan plan;
};

}  // namespace

WorkPlan PlanWork(const BoardModel& board, const std::vector<TrackPiece>& pieces, int travelCells, int workers) {
  WorkPlan plan = Planner(board, pieces, workers).Run();
  if (plan.feasible) plan.arrivalMs = plan.departureMs + static_cast<int>(std::lround(travelCells * kCellTravelMs));
  return plan;
}
