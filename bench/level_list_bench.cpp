// What opening the page of custom levels costs: listing a levels folder of
// 10, 1,000 and 10,000 level files (each a real level, with a truncated, a
// binary and a 5 MB file among them), and the solver's cheapest iron for the
// page's first fourteen rows, all different levels (the page keeps each
// answer by content, so this is paid once). Both happen in the update that
// opens the page.
//
//   bench_level_list       median and worst of 9 runs each
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "game/rules/layouts.h"
#include "game/rules/level_writer.h"
#include "game/screens/level_list.h"
#include "game/session/level_listing.h"
#include "game/solver/cheapest_iron.h"

namespace {

constexpr int kRepetitions = 9;

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A folder of `files` level files and three hostile ones; removed at exit.
std::string MakeFolder(int files) {
  char pattern[] = "/tmp/tarvex-bench-list-XXXXXX";
  const std::string folder = std::string(mkdtemp(pattern)) + "/";
  for (int i = 0; i < files; ++i) {
    Write(folder + "f" + std::to_string(100000 + i) + ".level", WriteLevelText(LevelLayoutOf(1 + i % kLevelCount)));
  }
  Write(folder + "a-truncated.level", WriteLevelText(LevelLayoutOf(5)).substr(0, 150));
  Write(folder + "b-binary.level", std::string("\0\x01\x02\xff\xfe garbage \x80", 16));
  Write(folder + "c-huge.level", std::string(5 * 1024 * 1024, 'o'));
  return folder;
}

void ListFolder(benchmark::State& state) {
  const std::string folder = MakeFolder(static_cast<int>(state.range(0)));
  int rows = 0;
  for (auto _ : state) {
    const LevelListing listing = ListLevelFiles(folder + "none/", folder);
    rows = static_cast<int>(listing.rows.size());
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = rows;
  std::system(("rm -rf '" + folder + "'").c_str());
}

void FirstPageIron(benchmark::State& state) {
  std::vector<LevelLayout> page;
  for (int i = 0; i < kListRowsShown; ++i) page.push_back(LevelLayoutOf(1 + i % kLevelCount));
  for (auto _ : state) {
    int total = 0;
    for (const LevelLayout& layout : page) total += CheapestIronOf(layout);
    benchmark::DoNotOptimize(total);
  }
}

double Worst(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

}  // namespace

BENCHMARK(ListFolder)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("worst", Worst)
    ->ReportAggregatesOnly(true);
BENCHMARK(FirstPageIron)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("worst", Worst)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
