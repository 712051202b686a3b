// Drawing who moves on the board (board_actors.h): the workers with their
// walk, hammer and pick, the dust of finished work, stones breaking up and
// enemies running off. It draws over the board's plates and under the train.
#pragma once

#include <vector>

#include "game/views/board_actors.h"
#include "graphics/drawing.h"
#include "runtime/gc.h"

class c_WorkerView : public Object {
 public:
  // The worker and the dust are its own pictures; the stones and the enemies
  // are the board's.
  void LoadWorkerImages(c_Image* stones, c_Image* bandits, c_Image* raiders);
  void DrawActors(const std::vector<BoardActor>& actors) const;
  void Mark() override;

  gc_ref<c_Image> workerImage;
  gc_ref<c_Image> dustImage;
  gc_ref<c_Image> stonesImage;
  gc_ref<c_Image> banditImage;
  gc_ref<c_Image> indigenImage;

 private:
  void DrawWorker(const BoardActor& worker) const;
  void DrawDust(const BoardActor& dust) const;
  void DrawBreakingStones(const BoardActor& stones) const;
  void DrawRunner(c_Image* picture, const BoardActor& runner) const;
};
