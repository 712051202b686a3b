// The fixed-rate loop and the guarded forwarding, over a fake clock and window.
#include <GLFW/glfw3.h>
#include <unistd.h>

#include <cmath>

#include "host/input.h"
#include "runtime/error.h"
#include "tests/host/host_test_util.h"

namespace {

using LoopTest = HostFixture;

TEST_F(LoopTest, KeepingUpSleepsAndDrawsOneFramePerUpdate) {
  std::vector<int> elapsed;
  delegate->onStart = [&] { game->ChangeUpdateRate(30); };
  delegate->onUpdate = [&] { elapsed.push_back(game->ElapsedMilliseconds()); };
  platform.CloseAt(1.0);
  game->RunLoop();

  ASSERT_EQ(platform.opens.size(), 1u);
  EXPECT_EQ(platform.opens[0].width, 1024);
  EXPECT_EQ(platform.opens[0].height, 768);
  EXPECT_FALSE(platform.opens[0].fullScreen);
  EXPECT_EQ(calls[0].what, "start");

  // One render before the first update, then exactly one per update.
  const std::string pattern = Pattern();
  std::string expected = "R";
  for (std::size_t i = 0; i < elapsed.size(); ++i) expected += "UR";
  EXPECT_EQ(pattern, expected);
  EXPECT_GE(elapsed.size(), 29u);
  EXPECT_LE(elapsed.size(), 30u);
  for (std::size_t i = 1; i < elapsed.size(); ++i) {
    const int step = elapsed[i] - elapsed[i - 1];
    EXPECT_TRUE(step == 33 || step == 34) << "step " << i << ": " << step;
  }
  // Ahead of schedule the loop sleeps exactly until the next update is due.
  ASSERT_FALSE(platform.sleeps.empty());
  for (double s : platform.sleeps) {
    EXPECT_GT(s, 0);
    EXPECT_LE(s, 1.0 / 30 + 1e-9);
  }
  EXPECT_EQ(platform.waits, 0);
}

TEST_F(LoopTest, StallRunsFourUpdatesThenDropsTheBacklog) {
  delegate->onStart = [&] { game->ChangeUpdateRate(30); };
  // The machine hangs for a second during one pass of event processing.
  // The machine hangs for a second during one pass of event processing.
  double stallEnd = -1;
  platform.At(0.51, [&] {
    platform.now += 1.0;
    stallEnd = platform.now;
  });
  std::vector<double> dueAtUpdate;
  delegate->onUpdate = [&] { dueAtUpdate.push_back(game->NextUpdateTime()); };
  platform.CloseAt(2.0);
  game->RunLoop();

  // Fifteen updates in time, then four catch-up updates and one frame.
  std::string expected = "R";
  for (int i = 0; i < 15; ++i) expected += "UR";
  expected += "UUUURUR";
  const std::string pattern = Pattern();
  EXPECT_EQ(pattern.substr(0, expected.size()), expected);
  EXPECT_EQ(pattern.find("UU", expected.size()), std::string::npos) << pattern;
  // The schedule restarted from the end of the stall: the update after the
  // frame is due at once, and the remaining 26 updates of the stall never run.
  ASSERT_GE(dueAtUpdate.size(), 21u);
  EXPECT_NEAR(stallEnd, 16.0 / 30 + 1.0, 1e-9);
  EXPECT_DOUBLE_EQ(dueAtUpdate[19], stallEnd + 1.0 / 30);
  const int total = Count("update");
  EXPECT_GE(total, 15 + 4 + 13);
  EXPECT_LE(total, 15 + 4 + 15);
}

TEST_F(LoopTest, RateZeroInsideAnUpdateStopsTheCatchUpAtOnce) {
  delegate->onStart = [&] { game->ChangeUpdateRate(30); };
  platform.At(0.51, [&] { platform.now += 1.0; });
  delegate->onUpdate = [&] {
    if (platform.now > 1.0) game->ChangeUpdateRate(0);
  };
  platform.CloseAt(3.0);
  game->RunLoop();

  const std::string pattern = Pattern();
  // The stalled pass runs one update, draws, and from then on the loop only
  // draws once per batch of events.
  const std::size_t last = pattern.rfind('U');
  ASSERT_NE(last, std::string::npos);
  EXPECT_EQ(pattern.substr(last - 1, 3), "RUR") << pattern;
  const int rendersAfter = static_cast<int>(pattern.size() - last - 1);
  EXPECT_GT(platform.waits, 0);
  EXPECT_EQ(Count("update"), 16);
  // The frame of the stalled pass, then one frame before each wait.
  EXPECT_EQ(rendersAfter, 1 + platform.waits);
}

TEST_F(LoopTest, NoScheduleDrawsOncePerBatchOfEventsAndNeverUpdates) {
  platform.CloseAt(1.0);
  game->RunLoop();
  EXPECT_EQ(Count("update"), 0);
  EXPECT_EQ(platform.waits, 4);  // 0.25 s per fake batch of events
  EXPECT_EQ(Count("render"), 1 + platform.waits);
  EXPECT_TRUE(platform.sleeps.empty());
}

TEST_F(LoopTest, IconifySuspendsOnceAndRestoreResumesWithTheNextUpdateDueAtOnce) {
  delegate->onStart = [&] { game->ChangeUpdateRate(30); };
  platform.At(0.51, [&] { platform.iconified = true; });
  platform.At(1.2, [&] { platform.iconified = false; });
  platform.CloseAt(1.5);
  game->RunLoop();

  EXPECT_EQ(Count("suspend"), 1);
  EXPECT_EQ(Count("resume"), 1);
  double suspendedAt = 0, resumedAt = 0;
  for (const Call& c : calls) {
    if (c.what == "suspend") suspendedAt = c.time;
    if (c.what == "resume") resumedAt = c.time;
  }
  EXPECT_NEAR(suspendedAt, 16.0 / 30, 1e-9);
  EXPECT_DOUBLE_EQ(resumedAt, 1.2);
  // Nothing is updated or drawn while iconified; the first update after the
  // restoration runs at once, not after the missed time.
  double firstAfter = -1;
  for (const Call& c : calls) {
    if ((c.what == "update" || c.what == "render") && c.time > 0.51 && c.time < 1.2) {
      ADD_FAILURE() << c.what << " at " << c.time;
    }
    if (c.what == "update" && c.time >= 1.2 && firstAfter < 0) firstAfter = c.time;
  }
  EXPECT_DOUBLE_EQ(firstAfter, 1.2);
  EXPECT_FALSE(game->Iconified());
  EXPECT_FALSE(game->IsSuspended());
}

TEST_F(LoopTest, RestoredButInactiveWindowStaysSuspendedUntilActive) {
  delegate->onStart = [&] { game->ChangeUpdateRate(30); };
  platform.At(0.51, [&] { platform.iconified = true; });
  platform.At(0.8, [&] {
    platform.iconified = false;
    platform.active = false;
  });
  platform.At(1.1, [&] { platform.active = true; });
  platform.CloseAt(1.3);
  game->RunLoop();
  EXPECT_EQ(Count("resume"), 1);
  for (const Call& c : calls) {
    if (c.what == "resume") {
      EXPECT_DOUBLE_EQ(c.time, 1.1);
    }
    if (c.what == "update") {
      EXPECT_TRUE(c.time <= 0.51 || c.time >= 1.1) << c.time;
    }
  }
}

TEST_F(LoopTest, InactiveVisibleWindowKeepsUpdating) {
  platform.active = false;
  delegate->onStart = [&] { game->ChangeUpdateRate(30); };
  platform.CloseAt(1.0);
  game->RunLoop();
  EXPECT_EQ(Count("suspend"), 0);
  EXPECT_GE(Count("update"), 29);
}

TEST_F(LoopTest, InputBeforeBeginGameIsDropped) {
  platform.cursorX = 12;
  platform.cursorY = 34;
  platform.At(0.1, [&] {
    platform.sink->OnMouseButton(0, HostInputSink::kActionPress);
    platform.sink->OnKey(GLFW_KEY_Q, HostInputSink::kActionPress);
  });
  platform.CloseAt(0.5);
  game->RunLoop();
  // The pointer report of the first window came before the start: dropped.
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0].what, "start");
  std::vector<Call> input;
  for (const Call& c : calls) {
    if (c.what == "mouse" || c.what == "key") input.push_back(c);
  }
  ASSERT_EQ(input.size(), 2u);
  EXPECT_EQ(input[0].event, ButtonPressed);
  EXPECT_EQ(input[0].x, 12);
  EXPECT_EQ(input[0].y, 34);
  EXPECT_EQ(input[1].event, KeyPressed);
  EXPECT_EQ(input[1].data, 'Q');
  // Without a start nothing at all is forwarded.
  std::vector<Call> none;
  FakePlatform other;
  other.Init();
  BBTarvexGame idle(&other);
  idle.AttachDelegate(new RecordingDelegate(&none, &other));
  idle.StepGame();
  idle.DrawGame();
  idle.PostKey(KeyPressed, 65);
  idle.PauseGame();
  EXPECT_TRUE(none.empty());
}

TEST_F(LoopTest, GuardedForwardingFollowsTheStartAndSuspendFlags) {
  game->BeginGame();
  game->BeginGame();
  EXPECT_EQ(Count("start"), 1);
  game->UnpauseGame();  // not suspended: nothing
  EXPECT_EQ(Count("resume"), 0);
  game->PauseGame();
  game->PauseGame();
  EXPECT_EQ(Count("suspend"), 1);
  game->StepGame();  // suspended: no update
  EXPECT_EQ(Count("update"), 0);
  game->DrawGame();  // drawing only needs the start
  EXPECT_EQ(Count("render"), 1);
  game->UnpauseGame();
  game->StepGame();
  EXPECT_EQ(Count("resume"), 1);
  EXPECT_EQ(Count("update"), 1);
}

TEST_F(LoopTest, CloseButtonPostsPressAndReleaseOfTheCloseKeyAndKeepsTheWindow) {
  platform.At(0.3, [&] { platform.sink->OnCloseRequest(); });
  platform.CloseAt(1.0);
  game->RunLoop();
  std::vector<std::pair<int, int>> keys;
  for (const Call& c : calls) {
    if (c.what == "key") keys.push_back({c.event, c.data});
  }
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0], std::make_pair(int(KeyPressed), KeyCloseRequest));
  EXPECT_EQ(keys[1], std::make_pair(int(KeyReleased), KeyCloseRequest));
  // The loop went on until the window really went away.
  EXPECT_GE(platform.now, 1.0);
}

TEST_F(LoopTest, ReopeningReleasesHeldKeysThenCountsTheGenerationAndReportsThePointer) {
  game->BeginGame();
  calls.clear();
  platform.window = true;
  platform.held = {GLFW_KEY_A, GLFW_KEY_LEFT_SHIFT, GLFW_KEY_RIGHT_SHIFT, GLFW_KEY_KP_1, GLFW_KEY_LEFT_ALT};
  platform.cursorX = 77;
  platform.cursorY = 88;
  const int before = graphicsGeneration;
  game->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, true);
  EXPECT_EQ(graphicsGeneration, before + 1);
  ASSERT_EQ(platform.opens.size(), 1u);
  EXPECT_TRUE(platform.opens[0].fullScreen);
  EXPECT_EQ(platform.opens[0].title, kWindowTitle);

  // Releases come first (untranslated keys send nothing), the pointer last.
  std::vector<std::string> seen;
  for (const Call& c : calls) seen.push_back(c.what + ":" + std::to_string(c.event) + ":" + std::to_string(c.data));
  const std::vector<std::string> expected = {"key:2:65", "key:2:16", "key:2:16", "mouse:6:-1"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(calls.back().x, 77);
  EXPECT_EQ(calls.back().y, 88);

  // Back to a window: no key is held in the new window, so only the pointer.
  calls.clear();
  game->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);
  EXPECT_EQ(graphicsGeneration, before + 2);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].event, PointerMoved);
}

TEST_F(LoopTest, ScheduleUsesZeroForTheClockBeforeInitialisation) {
  platform.Terminate();
  EXPECT_EQ(game->ElapsedMilliseconds(), 0);
  game->ChangeUpdateRate(50);
  EXPECT_DOUBLE_EQ(game->NextUpdateTime(), 0.02);
  EXPECT_EQ(game->CurrentUpdateRate(), 50);
  // Rate 0 keeps the schedule fields as they were.
  game->ChangeUpdateRate(0);
  EXPECT_DOUBLE_EQ(game->NextUpdateTime(), 0.02);
  EXPECT_EQ(game->CurrentUpdateRate(), 0);
  platform.Init();
  platform.now = 2.0009;
  EXPECT_EQ(game->ElapsedMilliseconds(), 2000);  // truncated
}

TEST_F(LoopTest, FailedWindowOpenEndsTheLoopAtItsFirstCheck) {
  platform.openSucceeds = false;
  delegate->onStart = [&] { game->ChangeUpdateRate(30); };
  game->RunLoop();
  EXPECT_EQ(Pattern(), "R");
  EXPECT_EQ(platform.polls, 1);
}

TEST_F(LoopTest, CursorFollowsTheRequestOnlyWhileTheWindowSystemRuns) {
  game->ShowMouseCursor(false);
  EXPECT_FALSE(platform.cursorShown);
  platform.Terminate();
  game->ShowMouseCursor(true);
  EXPECT_FALSE(platform.cursorShown);
}

TEST_F(LoopTest, ThrowableFromAnUpdateEndsWithTheUncaughtMessage) {
  delegate->onStart = [&] { game->ChangeUpdateRate(30); };
  delegate->onUpdate = [&] { throw static_cast<ThrowableObject*>(new c_QuaddException(String("hidden"))); };
  platform.CloseAt(1.0);
  EXPECT_EXIT(
      {
        dup2(2, 1);
        game->RunLoop();
        std::exit(3);
      },
      ::testing::ExitedWithCode(255), "^Tarvex Runtime Error : Uncaught Tarvex Exception\n$");
}

TEST_F(LoopTest, ErrorWithEmptyTextFromACallbackEndsWithStatusZero) {
  delegate->onRender = [&] { Error(String()); };
  EXPECT_EXIT(
      {
        game->RunLoop();
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
