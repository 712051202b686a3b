// rails-generated-play: generated levels played through the real game,
// headless, by the scripted player's clicks of the solver's plan; prints by
// difficulty how many were played and won, the seeds that failed and why,
// and the time per level. Exits 1 when any level was not won.
//
//   rails-generated-play [SEEDS]            seeds 1..SEEDS of each difficulty (1000)
//   rails-generated-play SEED DIFFICULTY    one level, easy, medium or hard
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/session/folders.h"
#include "tools/campaign/generated_play.h"

namespace {

// A line on standard error every so many levels, to follow a long run by.
constexpr int kProgressEvery = 100;

int Usage() {
  std::fputs("usage: rails-generated-play [SEEDS] | rails-generated-play SEED easy|medium|hard\n", stderr);
  return 2;
}

bool ReadCount(const char* text, long long* out) {
  char* end = nullptr;
  *out = std::strtoll(text, &end, 10);
  return *text != '\0' && *end == '\0' && *out >= 1 && *out <= 0xffffffffLL;
}

}  // namespace

int main(int argc, char** argv) {
  long long first = 1, count = 1000;
  std::vector<Difficulty> difficulties = {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard};
  if (argc == 2) {
    if (!ReadCount(argv[1], &count)) return Usage();
  } else if (argc == 3) {
    Difficulty d;
    if (!ReadCount(argv[1], &first) || !ParseDifficulty(argv[2], d)) return Usage();
    count = 1;
    difficulties = {d};
  } else if (argc != 1) {
    return Usage();
  }
  UseGameFolders(ChooseGameFolders(ProcessFolderFacts()));
  std::vector<GeneratedPlay> plays;
  for (Difficulty d : difficulties) {
    for (long long seed = first; seed < first + count; ++seed) {
      plays.push_back(PlayGeneratedLevel(static_cast<std::uint32_t>(seed), d));
      if (plays.size() % kProgressEvery == 0) {
        std::fprintf(stderr, "rails-generated-play: %zu levels played\n", plays.size());
      }
    }
  }
  std::fputs(GeneratedPlayTable(plays).c_str(), stdout);
  if (plays.size() == 1) {
    const GeneratedPlay& p = plays[0];
    std::printf("arrived at %d ms (the plan's %d ms), enemy clicks %d, repeated clicks %d\n", p.play.arrivalMs,
                p.parArrivalMs, p.play.enemyClicks, p.play.repeatedClicks);
  }
  for (const GeneratedPlay& p : plays) {
    if (!p.play.won) return 1;
  }
  return 0;
}
