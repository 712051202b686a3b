// What asking for a hint adds to the game's update, on every level: the game
// runs the hint's search in the update that sees the key, on a copy of the
// level it reads then. Measured is AskHint on the real level objects (copy,
// search, the line and the ghosts) from the start and half-way through (half
// the solver's track laid). The update may grow by 5 ms at most. Timed is the
// thread's processor time, so that on a shared machine the times the process
// waits for a processor do not count as the hint's.
//
//   bench_hint_update      per level: median, 99th percentile and worst of 200 runs
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

#include "game/rules/layouts.h"
#include "game/screens/level_hint.h"
#include "game/solver/solution.h"

namespace {

constexpr int kRuns = 200;

gc_global<Match*> benchMatch;

std::int64_t FixedCalendar() { return 1700000000; }

struct Spread {
  double median, p99, worst;
};

double ThreadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

template <class Work>
Spread Time(Work work) {
  std::vector<double> ms;
  for (int i = 0; i < kRuns; ++i) {
    const double t = ThreadCpuMs();
    work();
    ms.push_back(ThreadCpuMs() - t);
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back()};
}

void LayOut(int n, bool halfWay) {
  gameState.progress.currentLevel = n;
  gameState.progress.ownedWorkers = kNewGameWorkers;
  LayOutLevel(*benchMatch);
  benchMatch->flags = ScreenFlags{};
  c_cLevel* level = benchMatch->board;
  if (!halfWay) return;
  const LevelSolution s = SolveLevel(n);
  for (std::size_t i = 0; i < s.pieces.size() / 2; ++i) level->SetCellKind(s.pieces[i].cell.x, s.pieces[i].cell.y, s.pieces[i].kind);
}

}  // namespace

int main() {
  ResetGameState();
  SetCalendarSource(FixedCalendar);
  benchMatch = new Match();
  std::printf("%-6s %-9s %12s %12s %12s\n", "level", "moment", "median", "99th", "worst");
  double worstOfAll = 0;
  for (int n = 1; n <= kLevelCount; ++n) {
    for (bool halfWay : {false, true}) {
      LayOut(n, halfWay);
      int ghosts = 0;
      const Spread hint = Time([&] { ghosts += static_cast<int>(AskHint(*benchMatch).ghosts.size()); });
      worstOfAll = std::max(worstOfAll, hint.worst);
      std::printf("%-6d %-9s %9.3f ms %9.3f ms %9.3f ms%s\n", n, halfWay ? "half-way" : "start", hint.median,
                  hint.p99, hint.worst, ghosts > 0 ? "" : "  (no way)");
    }
  }
  std::printf("worst hint of all: %.3f ms\n", worstOfAll);
  return 0;
}
