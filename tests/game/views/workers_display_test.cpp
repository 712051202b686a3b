// The worker drawn with the game's own picture on a real window (Xvfb,
// llvmpipe), read back: his figure stands on his feet's point whichever way
// he faces, a swing moves the picture, and one going into the mine shrinks
// and fades at the door.
#include <algorithm>

#include "game/views/board_view.h"
#include "game/views/worker_view.h"
#include "tests/graphics/gl_fixture.h"

namespace {

gc_global<c_BoardView*> workersView;

struct LitBox {
  int left = 100000, right = -1, top = 100000, bottom = -1, count = 0;
};

class WorkersDrawingTest : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    view = new c_BoardView();
    workersView = view;
    view->LoadLevelImages();
  }
  void TearDown() override {
    workersView = nullptr;
    GlWindowTest::TearDown();
  }
  // Draws the actor on black and returns where it lit the screen.
  LitBox Drawn(const BoardActor& actor) {
    gfx->ClearScreen(0, 0, 0);
    view->workers->DrawActors({actor});
    gfx->Flush();
    LitBox box;
    for (int y = 0; y < 200; ++y) {
      for (int x = 0; x < 200; ++x) {
        if (Rgb(x, y) == 0) continue;
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
        ++box.count;
      }
    }
    return box;
  }
  static BoardActor Worker(ActorKind kind, int frame, bool left) {
    BoardActor a;
    a.kind = kind;
    a.x = 100;
    a.y = 120;
    a.frame = frame;
    a.facingLeft = left;
    return a;
  }
  c_BoardView* view = nullptr;
};

TEST_F(WorkersDrawingTest, AWorkerStandsOnHisFeetFacingEitherWay) {
  ASSERT_NE(view->workers->workerImage.get(), nullptr);
  for (bool left : {false, true}) {
    const LitBox box = Drawn(Worker(ActorKind::WorkerWalking, 0, left));
    EXPECT_GT(box.count, 150) << left;
    // Feet at the point, the figure above it, within his frame's width.
    EXPECT_NEAR(box.bottom, 120, 4) << left;
    EXPECT_LT(box.top, 120 - 28) << left;
    EXPECT_GE(box.left, 100 - kWorkerFrameWidth / 2 - 1) << left;
    EXPECT_LE(box.right, 100 + kWorkerFrameWidth / 2 + 1) << left;
  }
  const LitBox right = Drawn(Worker(ActorKind::WorkerWalking, 0, false));
  const LitBox left = Drawn(Worker(ActorKind::WorkerWalking, 0, true));
  // Mirrored about the feet: the same span, turned round.
  EXPECT_NEAR(right.left - 100, 100 - left.right, 2);
  EXPECT_NEAR(right.right - 100, 100 - left.left, 2);
}

TEST_F(WorkersDrawingTest, TheHammerSwingsAndAWorkerGoingInShrinks) {
  const LitBox raised = Drawn(Worker(ActorKind::WorkerHammering, kWorkerWalkFrames + 0, false));
  const LitBox struck = Drawn(Worker(ActorKind::WorkerHammering, kWorkerWalkFrames + 5, false));
  EXPECT_LT(raised.top, struck.top);  // the hammer up over his head
  EXPECT_GT(struck.right, raised.right);  // and down in front of him
  BoardActor goingIn = Worker(ActorKind::WorkerWalking, 0, false);
  const LitBox whole = Drawn(goingIn);
  goingIn.scale = 0.6f;
  const LitBox smaller = Drawn(goingIn);
  EXPECT_LT(smaller.count, whole.count * 3 / 4);
  EXPECT_NEAR(smaller.bottom, whole.bottom, 3);
}

}  // namespace
