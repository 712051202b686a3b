// rails-solver [N]: prints, for level N or for every level in turn, the
// cheapest track on the board, its iron cost, the iron left over and a work
// schedule for the workers of a new game. It stops at the first level that
// cannot be won, and exits 1 then.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/solver/solution_text.h"

namespace {

bool PrintLevel(int n) {
  const LevelSolution s = SolveLevel(n, kNewGameWorkers);
  std::fputs(SolutionText(s, kNewGameWorkers).c_str(), stdout);
  std::fputs("\n", stdout);
  return s.winnable;
}

int LevelArgument(const char* text) {
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  return *end == '\0' && n >= 1 && n <= kLevelCount ? static_cast<int>(n) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && LevelArgument(argv[1]) == 0)) {
    std::fprintf(stderr, "usage: rails-solver [level 1..%d]\n", kLevelCount);
    return 2;
  }
  std::fputs(kTrackLegend, stdout);
  std::fputs("\n", stdout);
  if (argc == 2) return PrintLevel(LevelArgument(argv[1])) ? 0 : 1;
  for (int n = 1; n <= kLevelCount; ++n) {
    if (!PrintLevel(n)) return 1;
  }
  return 0;
}
