// Recording and replaying at the window-system seam: what a game sees in a
// recorded run, it sees again, update for update, in the replay; a headless
// replay never draws; the clock moves one update interval per update.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "host/files.h"
#include "host/game.h"
#include "host/memory_files.h"
#include "host/recording_platform.h"
#include "host/replay_platform.h"
#include "tests/host/fake_platform.h"

namespace {

// A screen wider than the virtual one, as full screen on 1280 x 1024 gives:
// scaled by 0.8 with 32-pixel bars above and below.
class LetterboxMap : public VirtualPointerMap {
 public:
  void ToVirtual(int x, int y, int w, int h, float* vx, float* vy) const override {
    const float scale = std::min(static_cast<float>(w) / 1024.0f, static_cast<float>(h) / 768.0f);
    const float barX = (static_cast<float>(w) - 1024.0f * scale) * 0.5f;
    const float barY = (static_cast<float>(h) - 768.0f * scale) * 0.5f;
    *vx = std::clamp((static_cast<float>(x) - barX) / scale, 0.0f, 1023.0f);
    *vy = std::clamp((static_cast<float>(y) - barY) / scale, 0.0f, 767.0f);
  }
};

// Writes down what the game is told, and when: every update with the game's
// clock, every key and mouse event, and counts the frames.
class Probe : public BBGameDelegate {
 public:
  explicit Probe(std::vector<std::string>* log) : log_(log) {}
  std::function<void()> onStart, onUpdate;
  int renders = 0;

  void HandleStart() override {
    Add("start");
    if (onStart) onStart();
  }
  void HandleUpdate() override {
    Add("U " + std::to_string(currentGame->ElapsedMilliseconds()));
    if (onUpdate) onUpdate();
  }
  void HandleRender() override { ++renders; }
  void HandleKey(int event, int data) override { Add("K " + std::to_string(event) + " " + std::to_string(data)); }
  void HandleMouse(int event, int data, float x, float y) override {
    char text[96];
    std::snprintf(text, sizeof text, "M %d %d %.9g %.9g", event, data, static_cast<double>(x),
                  static_cast<double>(y));
    Add(text);
  }

 private:
  void Add(const std::string& line) { log_->push_back(line); }
  std::vector<std::string>* log_;
};

inline gc_global<Probe*> probeRoot;

// The fake window system's clock follows the recording's, so that its
// scheduled input arrives at the recording's times.
class FollowingFake : public FakePlatform {
 public:
  HostPlatform* clock = nullptr;
  void PollEvents() override {
    now = clock->Now();
    FakePlatform::PollEvents();
  }
};

// Runs a game over platform with a probe; answers the probe's frame count.
int RunProbe(HostPlatform* platform, std::vector<std::string>* log, const std::function<void(BBTarvexGame&)>& onStart,
        const std::function<void(BBTarvexGame&, int)>& onUpdate) {
  BBTarvexGame game(platform);
  Probe* probe = new Probe(log);
  probeRoot = probe;
  int updates = 0;
  probe->onStart = [&] { onStart(game); };
  probe->onUpdate = [&] { onUpdate(game, ++updates); };
  game.AttachDelegate(probe);
  game.RunLoop();
  const int renders = probe->renders;
  probeRoot = nullptr;
  return renders;
}

std::string TempPath(const char* name) {
  char dir[] = "/tmp/replay_testXXXXXX";
  EXPECT_NE(mkdtemp(dir), nullptr);
  return std::string(dir) + "/" + name;
}

std::string ReadText(const std::string& path) {
  std::string text;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

void StartFullScreen(BBTarvexGame& game) {
  game.ChangeUpdateRate(30);
  game.OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, true);
}

TEST(ReplayPlatformTest, ARecordedRunIsReplayedUpdateForUpdate) {
  const LetterboxMap map;
  const std::string path = TempPath("run.replay");
  std::vector<std::string> recorded, replayed;
  int recordedFrames = 0;
  {
    FollowingFake fake;
    fake.windowWidth = fake.pixelWidth = 1280;
    fake.windowHeight = fake.pixelHeight = 1024;
    RecordingPlatform recording(&fake, &map, /*pace=*/false);
    fake.clock = &recording;
    std::string error;
    const std::string state = "TVXDATA\t0";
    ASSERT_TRUE(recording.Open(path, &state, &error)) << error;
    ASSERT_TRUE(recording.Init());

    // Input at odd times, between updates and right after them.
    fake.At(0.1, [&] { fake.sink->OnMousePosition(101.7, 240.2); });
    fake.At(0.2, [&] {
      fake.sink->OnMouseButton(0, HostInputSink::kActionPress);
      fake.sink->OnMouseButton(0, HostInputSink::kActionRelease);
    });
    fake.At(0.3, [&] {
      fake.sink->OnKey(GLFW_KEY_A, HostInputSink::kActionPress);
      fake.sink->OnChar('a');
    });
    fake.At(0.35, [&] { fake.sink->OnKey(GLFW_KEY_A, HostInputSink::kActionRepeat); });
    fake.At(0.4, [&] { fake.sink->OnKey(GLFW_KEY_A, HostInputSink::kActionRelease); });
    fake.At(0.45, [&] { fake.sink->OnKey(GLFW_KEY_B, HostInputSink::kActionPress); });
    fake.CloseAt(1.0);
    recordedFrames = RunProbe(
        &recording, &recorded,
        [&](BBTarvexGame& game) {
          StartFullScreen(game);
          recording.RecordCalendar(1700000000);
        },
        [&](BBTarvexGame& game, int update) {
          // Input that arrives in the poll right after this update.
          if (update == 10) {
            fake.At(0, [&] {
              fake.sink->OnMousePosition(640, 700);
              fake.sink->OnMouseButton(1, HostInputSink::kActionPress);
            });
          }
          // A new window while B is held: the game hears B released.
          if (update == 20) game.OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, true);
        });
    recording.Finish();
  }

  ReplayScript script;
  ReplayError error;
  ASSERT_TRUE(ReadReplayFile(path, &script, &error)) << error.Text() << "\n" << ReadText(path);
  EXPECT_EQ(script.displayWidth, 1280);
  EXPECT_EQ(script.displayHeight, 1024);
  EXPECT_EQ(script.state, "TVXDATA\t0");
  EXPECT_EQ(script.calendar, std::vector<std::int64_t>{1700000000});

  ReplayPlatform replay(script, &map);
  ASSERT_TRUE(replay.Init());
  std::int64_t calendar = 0;
  const int generation = graphicsGeneration;
  const int replayedFrames = RunProbe(
      &replay, &replayed,
      [&](BBTarvexGame& game) {
        StartFullScreen(game);
        calendar = replay.NextCalendarSeconds();
      },
      [&](BBTarvexGame& game, int update) {
        if (update == 20) game.OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, true);
      });

  EXPECT_EQ(replayed, recorded);
  EXPECT_EQ(calendar, 1700000000);
  // The run saw every kind of input, the late click included.
  const auto saw = [&](const std::string& line) {
    return std::find(recorded.begin(), recorded.end(), line) != recorded.end();
  };
  EXPECT_TRUE(saw("M 4 0 101 240"));
  EXPECT_TRUE(saw("M 4 1 640 700"));
  EXPECT_TRUE(saw("K 3 97"));
  EXPECT_TRUE(saw("K 2 66"));
  EXPECT_GE(std::count_if(recorded.begin(), recorded.end(), [](const std::string& l) { return l[0] == 'U'; }), 29);
  // Headless, nothing was drawn and no OpenGL context was counted.
  EXPECT_GT(recordedFrames, 0);
  EXPECT_EQ(replayedFrames, 0);
  EXPECT_EQ(graphicsGeneration, generation);
}

TEST(ReplayPlatformTest, HeadlessClockMovesOneIntervalPerUpdateAndInputReachesItsUpdate) {
  ReplayScript script;
  ReplayError error;
  ASSERT_TRUE(ParseReplay("rails-against-time replay 1\n500 click 100 200\nend 1000\n", &script, &error));
  ReplayPlatform replay(script, nullptr);
  ASSERT_TRUE(replay.Init());
  std::vector<std::string> log;
  RunProbe(
      &replay, &log, [](BBTarvexGame& game) { StartFullScreen(game); }, [](BBTarvexGame&, int) {});

  std::vector<int> times;
  std::size_t click = 0;
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i][0] == 'U') times.push_back(std::stoi(log[i].substr(2)));
    if (log[i] == "M 4 0 100 200") click = times.size();  // updates before it
  }
  // Thirty updates in the first second, none skipped, none doubled.
  ASSERT_EQ(times.size(), 30u);
  for (std::size_t i = 1; i < times.size(); ++i) {
    const int step = times[i] - times[i - 1];
    EXPECT_TRUE(step == 33 || step == 34) << i << ": " << step;
  }
  EXPECT_LE(times.back(), 1000);
  // The click arrives before the first update at or after 500 ms.
  ASSERT_GT(click, 0u);
  EXPECT_LT(times[click - 1], 500);
  EXPECT_GE(times[click], 500);
  EXPECT_TRUE(replay.Finished());
}

TEST(ReplayPlatformTest, WindowsTakeTheRecordedScreenAndForgetHeldKeys) {
  ReplayScript script;
  script.displayWidth = 1280;
  script.displayHeight = 1024;
  script.events.resize(1);
  script.events[0].kind = ReplayEvent::Key;
  script.events[0].code = GLFW_KEY_LEFT;
  script.events[0].action = HostInputSink::kActionPress;
  script.endTime = 100;
  ReplayPlatform replay(script, nullptr);
  int w = -1, h = -1;
  replay.FramebufferSize(&w, &h);
  EXPECT_EQ(w, 0);
  ASSERT_TRUE(replay.Init());
  replay.OpenWindow(1024, 768, 8, 8, 8, 0, 0, 0, true, "t");
  replay.FramebufferSize(&w, &h);
  EXPECT_EQ(w, 1280);
  EXPECT_EQ(h, 1024);
  replay.PollEvents();
  EXPECT_TRUE(replay.KeyHeld(GLFW_KEY_LEFT));
  replay.OpenWindow(800, 600, 8, 8, 8, 0, 0, 0, false, "t");
  replay.WindowSize(&w, &h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_FALSE(replay.KeyHeld(GLFW_KEY_LEFT));
  EXPECT_TRUE(replay.Headless());
}

TEST(ReplayPlatformTest, CalendarAnswersInOrderThenKeepsTheLast) {
  ReplayScript script;
  EXPECT_EQ(ReplayPlatform(script, nullptr).NextCalendarSeconds(), 0);
  EXPECT_EQ(ReplayPlatform(script, nullptr).PeekCalendarSeconds(), 0);
  script.calendar = {5, 7};
  ReplayPlatform replay(script, nullptr);
  // A look ahead tells the next answer and leaves it to be taken.
  EXPECT_EQ(replay.PeekCalendarSeconds(), 5);
  EXPECT_EQ(replay.NextCalendarSeconds(), 5);
  EXPECT_EQ(replay.PeekCalendarSeconds(), 7);
  EXPECT_EQ(replay.PeekCalendarSeconds(), 7);
  EXPECT_EQ(replay.NextCalendarSeconds(), 7);
  EXPECT_EQ(replay.PeekCalendarSeconds(), 7);
  EXPECT_EQ(replay.NextCalendarSeconds(), 7);
}

TEST(ReplayPlatformTest, InAWindowOnlyTheWindowsCloseRequestGetsThrough) {
  ReplayScript script;
  script.displayWidth = 1280;
  script.displayHeight = 1024;
  script.endTime = 300;
  FakePlatform window;
  ReplayPlatform replay(script, nullptr, &window);
  ASSERT_TRUE(replay.Init());
  EXPECT_FALSE(replay.Headless());
  window.At(0.0, [&] {
    window.sink->OnMouseButton(0, HostInputSink::kActionPress);
    window.sink->OnKey(GLFW_KEY_A, HostInputSink::kActionPress);
    window.sink->OnCloseRequest();
  });
  std::vector<std::string> log;
  const int frames = RunProbe(
      &replay, &log, [](BBTarvexGame& game) { StartFullScreen(game); }, [](BBTarvexGame&, int) {});
  // Full screen in a replay is a window of the recorded screen's size.
  ASSERT_EQ(window.opens.size(), 2u);
  EXPECT_FALSE(window.opens[1].fullScreen);
  EXPECT_EQ(window.opens[1].width, 1280);
  EXPECT_EQ(window.opens[1].height, 1024);
  EXPECT_GT(frames, 0);
  const std::vector<std::string> keys = [&] {
    std::vector<std::string> k;
    for (const std::string& l : log) {
      if (l[0] == 'K' || l.compare(0, 3, "M 4") == 0) k.push_back(l);
    }
    return k;
  }();
  EXPECT_EQ(keys, (std::vector<std::string>{"K 1 432", "K 2 432"}));
}

TEST(MemoryFilesTest, TheStateLivesInMemoryAndNothingIsWritten) {
  char dir[] = "/tmp/memory_filesXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string folder = dir;
  {
    std::FILE* data = std::fopen((folder + "/data.txt").c_str(), "wb");
    std::fputs("on the disk", data);
    std::fclose(data);
  }
  MemoryFiles files;
  const std::string statePath = folder + "/.tarvexstate";
  files.Put(statePath, "TVXDATA\t0");
  FakePlatform platform;
  platform.Init();
  BBTarvexGame game(&platform, &files);
  EXPECT_EQ(game.ReadTextFile(String::FromUtf8(statePath)).ToUtf8(), "TVXDATA\t0");
  // Every byte comes back, the last one too, and an empty file is empty.
  for (const std::string& text : {std::string(), std::string("7"), std::string(5000, 'x') + "9"}) {
    files.Put(statePath, text);
    EXPECT_EQ(game.ReadTextFile(String::FromUtf8(statePath)).ToUtf8(), text);
  }
  // Files the run did not write come from the disk.
  EXPECT_EQ(game.ReadTextFile(String::FromUtf8(folder + "/data.txt")).ToUtf8(), "on the disk");

  // The host's own state file path goes through the same files.
  files.Put(kStateFileName, "given");
  EXPECT_EQ(game.FetchAppState().ToUtf8(), "given");
  EXPECT_EQ(game.StoreAppState(String("saved\tnow")), 0);
  EXPECT_EQ(game.FetchAppState().ToUtf8(), "saved\tnow");
  std::string text;
  ASSERT_TRUE(files.Get(kStateFileName, &text));
  EXPECT_EQ(text, "saved\tnow");
  EXPECT_FALSE(files.Get(kStateTempName, &text));
  EXPECT_NE(access(kStateTempName, F_OK), 0);
  // The disk holds only what the test put there.
  EXPECT_NE(access((folder + "/.tarvexstate").c_str(), F_OK), 0);
  std::system(("rm -rf " + folder).c_str());
}

}  // namespace
