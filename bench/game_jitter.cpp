// The fixed-rate loop's steadiness in the real program: the game runs in its
// window (under Xvfb: xvfb-run -a -s "-screen 0 1280x1024x24"
// build/bench/bench_game_jitter [seconds], from the repository's root) for a
// minute by default, and every update's real time is recorded. Prints the
// percentiles of how far each interval between updates lies from 1/30 s.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/session/main_game.h"
#include "host/game.h"
#include "runtime/error.h"
#include "support/file_system.h"
#include "support/virtual_display.h"

namespace {

int seconds = 60;
std::vector<double> stamps;

class JitterBench : public c_MainGame {
 public:
  int Update() override {
    stamps.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count());
    c_MainGame::Update();
    if (static_cast<int>(stamps.size()) > seconds * kUpdateRate) Report();
    return 0;
  }

 private:
  static void Report() {
    std::vector<double> off;
    for (std::size_t i = 1; i < stamps.size(); ++i) off.push_back(std::fabs(stamps[i] - stamps[i - 1] - 1000.0 / 30));
    std::sort(off.begin(), off.end());
    auto at = [&](double p) { return off[static_cast<std::size_t>(p * (off.size() - 1))]; };
    std::printf("%zu update intervals: distance from 33.33 ms: median %.3f ms, p99 %.3f ms, max %.3f ms\n",
                off.size(), at(0.5), at(0.99), off.back());
    std::fflush(stdout);
    Error(String());
  }
};


}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) seconds = std::max(1, std::atoi(argv[1]));
  return TarvexStart(argc, argv, InitGameGlobals, [] { new JitterBench(); });
}
