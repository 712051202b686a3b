#include "game/views/board_actors.h"

#include <algorithm>
#include <cmath>

#include "game/rules/economy.h"
#include "game/rules/hazards.h"
#include "game/solver/track.h"

namespace {

constexpr int kWalkFrameMs = 90;
constexpr int kSwingFrameMs = 80;
constexpr int kRunFrameMs = 50;
// A worker fades out over the last part of his walk home.
constexpr float kHomeFadeShare = 0.25f;
// Where a worker stands on a cell: left of its middle, facing right.
constexpr float kWorkSpotX = 20, kWorkSpotY = 62;
// The mine's door, from its top-left cell's corner.
constexpr float kMineDoorX = 81, kMineDoorY = 90;

float Distance(Spot a, Spot b) { return std::hypot(b.x - a.x, b.y - a.y); }

int Cycle(int now, int frameMs, int frames) { return (now / frameMs) % frames; }

BoardActor Walker(Spot from, Spot to, float share, int now) {
  BoardActor a;
  a.kind = ActorKind::WorkerWalking;
  a.phase = std::min(std::max(share, 0.0f), 1.0f);
  a.x = from.x + (to.x - from.x) * a.phase;
  a.y = from.y + (to.y - from.y) * a.phase;
  a.facingLeft = to.x < from.x;
  a.frame = Cycle(now, kWalkFrameMs, kWorkerWalkFrames);
  return a;
}

// The newest report of a worker sent to the job at the cell no later than the
// job began; null once the report has been let go (the walk is long over).
const FeedbackMark* SendingOf(const std::vector<FeedbackMark>& marks, WorkerTask task, int cx, int cy) {
  for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
    const FeedbackEvent& e = it->event;
    if (e.kind == FeedbackKind::WorkerSent && e.task == task && e.cellX == cx && e.cellY == cy) return &*it;
  }
  return nullptr;
}

// A worker at a job: on his way for the first part of its progress, then at
// work. The walk is timed by the job's own progress, so it stands still in a
// pause as the work does.
void AddJobWorker(std::vector<BoardActor>& actors, const c_cLevel& level, const std::vector<FeedbackMark>& marks,
                  WorkerTask task, int cx, int cy, float progress, float jobMs, int now) {
  const FeedbackMark* sending = SendingOf(marks, task, cx, cy);
  const Spot from = sending != nullptr && sending->event.fromMine ? MineDoor(*level.mine) : CampSpot(level);
  const Spot to = WorkSpot(cx, cy);
  const float walkMs = std::min(Distance(from, to) / kWalkPixelsPerMs, kMostWalkShare * jobMs);
  const float walkShare = walkMs * kJobComplete / jobMs;
  if (progress < walkShare) {
    actors.push_back(Walker(from, to, progress / walkShare, now));
    return;
  }
  BoardActor worker;
  worker.kind = task == WorkerTask::Stones ? ActorKind::WorkerPicking : ActorKind::WorkerHammering;
  worker.x = to.x;
  worker.y = to.y;
  worker.frame = kWorkerWalkFrames + Cycle(now, kSwingFrameMs, kWorkerSwingFrames) +
                 (task == WorkerTask::Stones ? kWorkerSwingFrames : 0);
  actors.push_back(worker);
}

void AddJobs(std::vector<BoardActor>& actors, const c_cLevel& level, const std::vector<FeedbackMark>& marks, int now) {
  for (int i = 0; i < level.railTiles.Length(); ++i) {
    const c_cRailTile* job = level.railTiles[i];
    if (job->active == 1 && job->building == 1) {
      AddJobWorker(actors, level, marks, WorkerTask::Piece, job->x, job->y, job->progress, kBuildMs, now);
    }
  }
  for (int i = 0; i < level.blockTiles.Length(); ++i) {
    const c_cBlockTile* stones = level.blockTiles[i];
    if (stones->active == 1 && stones->removing == 1) {
      AddJobWorker(actors, level, marks, WorkerTask::Stones, stones->x, stones->y, stones->progress,
                   kStonesRemovalMs, now);
    }
  }
}

// A freed worker walks back to the START cell and fades out there.
void AddHomeWalk(std::vector<BoardActor>& actors, const c_cLevel& level, int cx, int cy, float age, int now) {
  const Spot from = WorkSpot(cx, cy);
  const Spot home = CampSpot(level);
  const float walkMs = std::max(Distance(from, home) / kWalkPixelsPerMs, 1.0f);
  const float share = age / walkMs;
  if (share >= 1.0f) return;
  BoardActor walker = Walker(from, home, share, now);
  walker.alpha = std::min(1.0f, (1.0f - share) / kHomeFadeShare);
  actors.push_back(walker);
}

// A worker sent into the mine walks to its door and goes in.
void AddMineGoer(std::vector<BoardActor>& actors, const c_cLevel& level, float age, int now) {
  const Spot from = CampSpot(level);
  const Spot door = MineDoor(*level.mine);
  const float walkMs = Distance(from, door) / kWalkPixelsPerMs;
  if (age < walkMs) {
    actors.push_back(Walker(from, door, age / walkMs, now));
    return;
  }
  const float inside = (age - walkMs) / kGoingInMs;
  if (inside >= 1.0f) return;
  BoardActor walker = Walker(from, door, 1.0f, now);
  walker.y -= 6.0f * inside;  // up the slope into the dark
  walker.scale = 1.0f - 0.4f * inside;
  walker.alpha = 1.0f - inside;
  actors.push_back(walker);
}

void AddShortEffect(std::vector<BoardActor>& actors, ActorKind kind, float x, float y, float age, int lifeMs) {
  if (age >= lifeMs) return;
  BoardActor effect;
  effect.kind = kind;
  effect.x = x;
  effect.y = y;
  effect.phase = age / static_cast<float>(lifeMs);
  actors.push_back(effect);
}

// An enemy driven off runs straight for the nearest edge of the board (along
// the row when that is as near) and on past it, under the frame.
void AddRunner(std::vector<BoardActor>& actors, const FeedbackEvent& e, float age) {
  const int cellsTo[4] = {e.cellY + 1, kColumns - e.cellX, kRows - e.cellY, e.cellX + 1};  // N, E, S, W
  const int order[4] = {SideWest, SideEast, SideNorth, SideSouth};
  int side = order[0];
  for (int s : order) {
    if (cellsTo[s] < cellsTo[side]) side = s;
  }
  const float distance = static_cast<float>(cellsTo[side] * kCellSize);
  const float travelled = age * kRunPixelsPerMs;
  if (travelled >= distance) return;
  const CellXY cell{e.cellX, e.cellY};
  const CellXY ahead = Neighbour(cell, side);
  BoardActor runner;
  runner.kind = e.enemy == EnemyKind::Bandits ? ActorKind::RunningBandits : ActorKind::RunningRaiders;
  runner.x = static_cast<float>(CellLeft(e.cellX)) + static_cast<float>(ahead.x - cell.x) * travelled;
  runner.y = static_cast<float>(CellTop(e.cellY)) + static_cast<float>(ahead.y - cell.y) * travelled;
  runner.phase = travelled / distance;
  runner.facingLeft = side == SideWest;
  runner.frame = (e.frame + static_cast<int>(age) / kRunFrameMs) % kEnemyFrameCount;
  actors.push_back(runner);
}

void AddFromReports(std::vector<BoardActor>& actors, const c_cLevel& level, const std::vector<FeedbackMark>& marks,
                    int now) {
  for (const FeedbackMark& mark : marks) {
    const FeedbackEvent& e = mark.event;
    const float age = static_cast<float>(now - mark.startMs);
    if (age < 0) continue;
    const float centreX = static_cast<float>(CellCentre(e.cellX));
    const float centreY = static_cast<float>(CellCentre(e.cellY));
    switch (e.kind) {
      case FeedbackKind::PieceFinished:
        AddShortEffect(actors, ActorKind::DustPuff, centreX, centreY, age, kDustMs);
        AddHomeWalk(actors, level, e.cellX, e.cellY, age, now);
        break;
      case FeedbackKind::StonesCleared:
        AddShortEffect(actors, ActorKind::StonesBreaking, static_cast<float>(CellLeft(e.cellX)),
                       static_cast<float>(CellTop(e.cellY)), age, kStonesBreakMs);
        AddShortEffect(actors, ActorKind::DustPuff, centreX, centreY, age, kDustMs);
        AddHomeWalk(actors, level, e.cellX, e.cellY, age, now);
        break;
      case FeedbackKind::WorkerSent:
        if (e.task == WorkerTask::Mine && level.mine->active == 1) AddMineGoer(actors, level, age, now);
        break;
      case FeedbackKind::EnemyDrivenOff:
        AddRunner(actors, e, age);
        break;
      default:
        break;
    }
  }
}

}  // namespace

Spot CampSpot(const c_cLevel& level) { return WorkSpot(level.startX, level.startY); }

Spot WorkSpot(int cx, int cy) {
  return {static_cast<float>(CellLeft(cx)) + kWorkSpotX, static_cast<float>(CellTop(cy)) + kWorkSpotY};
}

Spot MineDoor(const c_cGoldMine& mine) {
  return {static_cast<float>(CellLeft(mine.x)) + kMineDoorX, static_cast<float>(CellTop(mine.y)) + kMineDoorY};
}

std::vector<BoardActor> BoardActorsNow(const c_cLevel& level, const std::vector<FeedbackMark>& marks, int now) {
  std::vector<BoardActor> actors;
  AddJobs(actors, level, marks, now);
  AddFromReports(actors, level, marks, now);
  return actors;
}
