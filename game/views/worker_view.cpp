#include "game/views/worker_view.h"

#include <cmath>

#include "game/rules/board.h"
#include "game/views/data_files.h"

namespace {

constexpr int kDustPuffs = 5;
constexpr float kHalfCell = kCellSize / 2.0f;
// The stones fly apart in four quarters that drop as they go.
constexpr float kShardSpread = 22, kShardDrop = 14;

}  // namespace

void c_WorkerView::LoadWorkerImages(c_Image* stones, c_Image* bandits, c_Image* raiders) {
  workerImage = LoadGameImage(String("game/worker.png"), kWorkerFrameWidth, kWorkerFrameHeight, kWorkerFrameCount,
                              defaultImageFlags);
  dustImage = LoadGameImage(String("game/smoke.png"), 1, ImageCentreHandle);
  stonesImage = stones;
  banditImage = bandits;
  indigenImage = raiders;
}

void c_WorkerView::DrawActors(const std::vector<BoardActor>& actors) const {
  for (const BoardActor& actor : actors) {
    switch (actor.kind) {
      case ActorKind::WorkerWalking:
      case ActorKind::WorkerHammering:
      case ActorKind::WorkerPicking:
        DrawWorker(actor);
        break;
      case ActorKind::DustPuff:
        DrawDust(actor);
        break;
      case ActorKind::StonesBreaking:
        DrawBreakingStones(actor);
        break;
      case ActorKind::RunningBandits:
        DrawRunner(banditImage, actor);
        break;
      case ActorKind::RunningRaiders:
        DrawRunner(indigenImage, actor);
        break;
    }
  }
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
}

// Feet on the point; turned round by mirroring about the feet.
void c_WorkerView::DrawWorker(const BoardActor& worker) const {
  if (!workerImage) return;
  SetAlpha(worker.alpha);
  PushMatrix();
  Translate(worker.x, worker.y);
  Scale(worker.facingLeft ? -worker.scale : worker.scale, worker.scale);
  DrawImage(workerImage, -kWorkerFeetX, -kWorkerFeetY, worker.frame);
  PopMatrix();
  SetAlpha(1.0f);
}

// Sand-coloured puffs that swell outward from the cell and thin away.
void c_WorkerView::DrawDust(const BoardActor& dust) const {
  if (!dustImage) return;
  const float t = dust.phase;
  SetColor(238, 220, 178);
  for (int i = 0; i < kDustPuffs; ++i) {
    const float angle = (72.0f * static_cast<float>(i) + 18.0f) * 0.017453292f;
    const float reach = 10.0f + 26.0f * std::sqrt(t);
    const float size = 0.9f + 1.2f * t;
    SetAlpha(std::pow(1.0f - t, 0.6f));
    DrawImage(dustImage, dust.x + std::cos(angle) * reach, dust.y + 12.0f + std::sin(angle) * reach * 0.5f,
              static_cast<float>(i) * 50.0f + t * 90.0f, size, size, 0);
  }
}

void c_WorkerView::DrawBreakingStones(const BoardActor& stones) const {
  if (!stonesImage) return;
  const float t = stones.phase;
  const float quarter = kHalfCell;
  SetAlpha(1.0f - t * t);
  for (int qx = 0; qx < 2; ++qx) {
    for (int qy = 0; qy < 2; ++qy) {
      const float dirX = qx == 0 ? -1.0f : 1.0f;
      const float dirY = qy == 0 ? -0.6f : 0.6f;
      // Each quarter flies out from its own middle, turning and shrinking.
      const float x = stones.x + quarter * (static_cast<float>(qx) + 0.5f) + dirX * kShardSpread * t;
      const float y =
          stones.y + quarter * (static_cast<float>(qy) + 0.5f) + dirY * kShardSpread * t + kShardDrop * t * t;
      const float shrink = 1.0f - 0.45f * t;
      PushMatrix();
      Translate(x, y);
      Rotate(dirX * dirY * 60.0f * t);
      Scale(shrink, shrink);
      DrawImageRegion(stonesImage, -quarter / 2, -quarter / 2, quarter * static_cast<float>(qx),
                      quarter * static_cast<float>(qy), quarter, quarter);
      PopMatrix();
    }
  }
  SetAlpha(1.0f);
}

void c_WorkerView::DrawRunner(c_Image* picture, const BoardActor& runner) const {
  if (picture == nullptr) return;
  if (runner.facingLeft) {
    DrawImage(picture, runner.x + kCellSize, runner.y, 0, -1.0f, 1.0f, runner.frame);
  } else {
    DrawImage(picture, runner.x, runner.y, runner.frame);
  }
}

void c_WorkerView::Mark() {
  workerImage.Mark();
  dustImage.Mark();
  stonesImage.Mark();
  banditImage.Mark();
  indigenImage.Mark();
}
