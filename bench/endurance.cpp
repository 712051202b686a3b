// Endurance: the real game played headless for hours of game time on a clock
// as fast as the game updates, half by the solver's schedules (won, lost,
// restarted, the map, the menu) and half by a seeded random player; the state
// file lives in a scratch folder. Prints what was played, the live heap and
// resident memory at the start, peak and end with a flatness verdict, the
// updates per second of real time and the longest collector step. Stops at
// the first broken invariant. Exit status 0 when everything held.
//
//   bench_endurance [--hours H] [--seed N] [--phase-minutes M] [--csv FILE] [--keep]
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/endurance/endurance_run.h"

namespace {

// Flat: the second half's peak at most 5 % (plus a little) above the first half's.
constexpr double kFlatMargin = 0.05;
constexpr long long kHeapSlack = 64 * 1024;
constexpr long long kResidentSlack = 1024 * 1024;

int Usage() {
  std::fprintf(stderr, "usage: bench_endurance [--hours H] [--seed N] [--phase-minutes M] [--csv FILE] [--keep]\n");
  return 2;
}

double Mb(long long bytes) { return bytes / 1048576.0; }

template <class Get>
void Series(const char* name, const EnduranceReport& r, Get get, long long slack, bool* flat) {
  std::vector<long long> values;
  for (const EnduranceSample& s : r.samples) values.push_back(get(s));
  if (values.empty()) return;
  const bool isFlat = StaysFlat(values, kFlatMargin, slack);
  *flat = *flat && isFlat;
  const std::size_t half = values.size() / 2;
  std::printf("%-14s start %8.2f MB  peak %8.2f MB  end %8.2f MB  (peak of 1st half %.2f, of 2nd half %.2f): %s\n",
              name, Mb(values.front()), Mb(*std::max_element(values.begin(), values.end())), Mb(values.back()),
              Mb(*std::max_element(values.begin(), values.begin() + std::max<std::size_t>(half, 1))),
              Mb(*std::max_element(values.begin() + half, values.end())), isFlat ? "flat" : "GROWS");
}

}  // namespace

int main(int argc, char** argv) {
  EnduranceOptions options;
  std::string csv;
  bool keep = false;
  for (int i = 1; i < argc; ++i) {
    const bool more = i + 1 < argc;
    if (!std::strcmp(argv[i], "--hours") && more) {
      options.gameMinutes = std::atof(argv[++i]) * 60.0;
    } else if (!std::strcmp(argv[i], "--seed") && more) {
      options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    } else if (!std::strcmp(argv[i], "--phase-minutes") && more) {
      options.phaseMinutes = std::atof(argv[++i]);
    } else if (!std::strcmp(argv[i], "--csv") && more) {
      csv = argv[++i];
    } else if (!std::strcmp(argv[i], "--keep")) {
      keep = true;
    } else {
      return Usage();
    }
  }
  if (!(options.gameMinutes > 0) || !(options.phaseMinutes > 0)) return Usage();
  char pattern[] = "/tmp/tarvex-endurance-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    std::perror("mkdtemp");
    return 2;
  }
  options.stateFolder = std::string(pattern) + "/";
  options.progress = true;

  // The game prints a line of its own at every crash: those go nowhere.
  std::fflush(stdout);
  const int savedOut = dup(1);
  if (std::FILE* null = std::freopen("/dev/null", "w", stdout)) (void)null;
  const EnduranceReport r = RunEndurance(options);
  std::fflush(stdout);
  dup2(savedOut, 1);
  close(savedOut);
  clearerr(stdout);

  std::printf("endurance: %.1f game hours (seed %u, blocks of %.0f minutes), %lld updates in %.1f s: %.0f updates/s, "
              "%.0fx real time\n",
              r.gameMinutes / 60.0, options.seed, options.phaseMinutes, r.updates, r.realSeconds,
              r.updates / r.realSeconds, r.gameMinutes * 60.0 / r.realSeconds);
  std::printf("played: %d level starts, %d won (up to level %d), %d lost (%d sent off early on purpose), %d restarts and %d quits from "
              "the pause panel, %d map-to-menu, %d workers hired, %d campaigns completed; random: %lld clicks, %lld "
              "keys\n",
              r.levelsStarted, r.levelsWon, r.highestLevelWon, r.levelsLost, r.solverLosses, r.solverRestarts, r.solverQuits,
              r.solverMenuVisits, r.workersHired, r.gamesCompleted, r.randomClicks, r.randomKeys);
  std::printf("by level (won/lost):");
  for (int i = 0; i < 15; ++i) std::printf(" %d:%d/%d", i + 1, r.wonByLevel[i], r.lostByLevel[i]);
  std::printf("\n");
  bool flat = true;
  Series("live heap", r, [](const EnduranceSample& s) { return s.liveBytes; }, kHeapSlack, &flat);
  Series("resident", r, [](const EnduranceSample& s) { return s.residentBytes; }, kResidentSlack, &flat);
  if (!r.samples.empty()) {
    long long counterPeak = 0;
    int objectsPeak = 0;
    for (const EnduranceSample& s : r.samples) {
      counterPeak = std::max(counterPeak, s.counterBytes);
      objectsPeak = std::max(objectsPeak, s.liveObjects);
    }
    std::printf("live objects   start %d, peak %d, end %d; the collector's counter before a sample's collection "
                "peaked at %.2f MB\n",
                r.samples.front().liveObjects, objectsPeak, r.samples.back().liveObjects, Mb(counterPeak));
  }
  std::printf("longest collector step %.3f ms; longest update (with its step and any save's disk sync) %.3f ms; "
              "longest full collection of a sample %.3f ms\n",
              r.longestCollectorStepMs, r.longestUpdateMs, r.longestFullCollectionMs);
  std::printf("state file: %s\n", r.stateProblem.empty() ? "whole, trandle.sav with 21 values" : r.stateProblem.c_str());
  if (!r.stateProblem.empty() || !r.violation.empty() || keep) std::printf("  %s\n", r.stateText.c_str());
  std::printf("invariants: %s",
              r.violation.empty() ? "held after every update\n" : ("BROKEN at game minute " +
                                                                    std::to_string(r.violationAtMinutes) + ": " +
                                                                    r.violation + "\n").c_str());
  if (!csv.empty()) {
    if (std::FILE* f = std::fopen(csv.c_str(), "w")) {
      std::fprintf(f, "game_minutes,live_bytes,live_objects,counter_bytes,resident_bytes,screen\n");
      for (const EnduranceSample& s : r.samples) {
        std::fprintf(f, "%.2f,%lld,%d,%lld,%lld,%d\n", s.gameMinutes, s.liveBytes, s.liveObjects, s.counterBytes,
                     s.residentBytes, s.screen);
      }
      std::fclose(f);
    }
  }
  if (!keep) std::system(("rm -rf '" + options.stateFolder + "'").c_str());
  const bool ok = r.violation.empty() && r.stateProblem.empty() && flat;
  std::printf("verdict: %s\n", ok ? "steady" : "NOT steady");
  return ok ? 0 : 1;
}
