// Time to a verified level, seed by seed: the generator draws boards until
// the solver proves one winnable and it passes the quality checks. Prints,
// per difficulty, the median and worst time and how many seeds needed more
// than one draw. Usage: bench_level_generator [SEEDS]
// or, to look at one level with its cheapest track drawn on it:
//   bench_level_generator show SEED easy|medium|hard
// or, for a table of what the levels hold (each solved again from its
// layout: route over distance, iron at hand over the cheapest track, stones
// on the route, a mine needed, draws):
//   bench_level_generator table [SEEDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/generator/level_generator.h"
#include "game/generator/level_quality.h"
#include "game/solver/solution_text.h"

namespace {

int Show(std::uint32_t seed, const char* difficultyName) {
  Difficulty d = Difficulty::Medium;
  ParseDifficulty(difficultyName, d);
  const GeneratedLevel g = GenerateLevel(seed, d);
  std::printf("draws %d  iron %d  mine %s reserve %d  track %d iron  bandits %d raiders %d\n%s", g.draws,
              g.layout.iron, g.layout.hasMine ? "yes" : "no", g.layout.mineReserve, g.solution.ironCost,
              g.layout.banditsKind, g.layout.indigensKind, TrackBoardText(g.solution).c_str());
  return 0;
}

struct Spread {
  double low = 1e9, high = 0, sum = 0;
  void Add(double v) {
    low = std::min(low, v);
    high = std::max(high, v);
    sum += v;
  }
};

int Table(int seeds) {
  std::printf("| difficulty | levels | winnable | checks passed | route / distance (min, mean, max) | iron at hand / "
              "cheapest (min, mean, max) | stones on route | mine needed | draws (mean, max) |\n"
              "|---|---|---|---|---|---|---|---|---|\n");
  for (Difficulty d : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard}) {
    int winnable = 0, passed = 0, stones = 0, mine = 0, mostDraws = 0;
    Spread detour, iron;
    double draws = 0;
    for (int seed = 1; seed <= seeds; ++seed) {
      const GeneratedLevel g = GenerateLevel(static_cast<std::uint32_t>(seed), d);
      const LevelSolution s = SolveBoard(ReadBoard(g.layout), kNewGameWorkers);
      winnable += s.winnable;
      passed += QualityFault(g.layout, s, d).empty();
      detour.Add(DetourRatio(s));
      iron.Add(static_cast<double>(g.layout.iron + g.layout.mineReserve) / s.ironCost);
      stones += StonesOnRoute(s);
      mine += g.layout.hasMine && g.layout.iron < s.ironCost;
      draws += g.draws;
      mostDraws = std::max(mostDraws, g.draws);
    }
    std::printf("| %s | %d | %d | %d | %.2f, %.2f, %.2f | %.2f, %.2f, %.2f | %d | %d | %.2f, %d |\n", DifficultyName(d),
                seeds, winnable, passed, detour.low, detour.sum / seeds, detour.high, iron.low, iron.sum / seeds,
                iron.high, stones, mine, draws / seeds, mostDraws);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "table") return Table(argc > 2 ? std::atoi(argv[2]) : 1000);
  if (argc == 4 && std::string(argv[1]) == "show") return Show(static_cast<std::uint32_t>(std::atoll(argv[2])), argv[3]);
  const int seeds = argc > 1 ? std::atoi(argv[1]) : 1000;
  for (Difficulty d : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard}) {
    std::vector<double> ms;
    int redrawn = 0, mostDraws = 0;
    for (int seed = 1; seed <= seeds; ++seed) {
      const auto begin = std::chrono::steady_clock::now();
      const GeneratedLevel level = GenerateLevel(static_cast<std::uint32_t>(seed), d);
      ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count());
      redrawn += level.draws > 1;
      mostDraws = std::max(mostDraws, level.draws);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-6s seeds %d  median %.2f ms  worst %.2f ms  redrawn %.1f %%  most draws %d\n", DifficultyName(d),
                seeds, ms[ms.size() / 2], ms.back(), 100.0 * redrawn / seeds, mostDraws);
  }
  return 0;
}
