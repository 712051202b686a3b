// What the host itself costs: a second of the 30 Hz loop over a clock that
// never waits, a click through the input device, and one state save with its
// file sync, for the sizes a saved game has and well beyond.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "host/files.h"
#include "host/game.h"
#include "host/input.h"

namespace {

// A window that is open for a fixed span of fake time; sleeping moves the clock.
class TimedPlatform : public HostPlatform {
 public:
  double now = 0, end = 0;
  bool Init() override { return true; }
  void Terminate() override {}
  bool Initialised() const override { return true; }
  double Now() override { return now; }
  void Sleep(double s) override { now += s; }
  void PollEvents() override {}
  void WaitEvents() override { now += 0.1; }
  void OpenWindow(int, int, int, int, int, int, int, int, bool, const char*) override {}
  void InstallCallbacks(HostInputSink*) override {}
  bool WindowOpen() override { return now < end; }
  bool WindowIconified() override { return false; }
  bool WindowActive() override { return true; }
  void WindowSize(int* w, int* h) override { *w = 1024, *h = 768; }
  void FramebufferSize(int* w, int* h) override { *w = 1024, *h = 768; }
  void SwapBuffers() override {}
  bool KeyHeld(int) override { return false; }
  void CursorPosition(double* x, double* y) override { *x = *y = 0; }
  void ShowCursor(bool) override {}
  bool Joystick(int, std::vector<float>*, std::vector<unsigned char>*) override { return false; }
};

class StartAt30 : public BBGameDelegate {
 public:
  void HandleStart() override { currentGame->ChangeUpdateRate(30); }
};

gc_global<BBGameDelegate*> delegateRoot;

// One simulated second: 30 updates, 31 frames, each followed by a collector step.
void BM_LoopSecond(benchmark::State& state) {
  for (auto _ : state) {
    TimedPlatform platform;
    platform.end = 1.0;
    BBTarvexGame game(&platform);
    delegateRoot = new StartAt30();
    game.AttachDelegate(delegateRoot);
    game.RunLoop();
  }
}
BENCHMARK(BM_LoopSecond);

// A click and its release, seen by one update.
void BM_ClickThroughTheDevice(benchmark::State& state) {
  BBGame host;
  currentInputDevice = new c_InputDevice();
  c_InputDevice* device = currentInputDevice;
  for (auto _ : state) {
    device->ApplyMouseEvent(ButtonPressed, 0, 10, 20);
    device->ApplyMouseEvent(ButtonReleased, 0, 10, 20);
    device->BeginInputUpdate();
    benchmark::DoNotOptimize(device->keyHitCount[KeyMouseLeft]);
    device->EndInputUpdate();
  }
}
BENCHMARK(BM_ClickThroughTheDevice);

// Saving a state of the given size in a temporary working directory.
void BM_StoreAppState(benchmark::State& state) {
  char folder[] = "/tmp/tarvex-bench-XXXXXX";
  if (!mkdtemp(folder) || chdir(folder) != 0) {
    state.SkipWithError("no temporary folder");
    return;
  }
  BBGame host;
  const String text(std::string(static_cast<std::size_t>(state.range(0)), 'x').c_str());
  for (auto _ : state) benchmark::DoNotOptimize(host.StoreAppState(text));
  unlink(kStateFileName);
  if (chdir("/") != 0 || rmdir(folder) != 0) state.SkipWithError("cleanup failed");
}
BENCHMARK(BM_StoreAppState)->Arg(200)->Arg(64 * 1024)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  GcInitLists();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
