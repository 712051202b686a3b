// How long the editor's verdict takes: it is worked out again after every
// edit and shown in the next frame, so it has to stay well under a frame of
// 60 Hz (16 ms) on any board a player can make.
//
//   bench_level_verdict      the fifteen levels, then crowded boards: every
//                            pool filled as far as the board allows (scenery,
//                            stones, gold), a tunnel pair and a mine, with
//                            FINISH still reachable; median and worst of 15
//                            runs each. Boards 0 and 1 are made by hand: a
//                            track winding between walls, and an open
//                            board strewn with gold and stones.
//   bench_level_verdict --benchmark_min_time=0.1   the same, in a minute
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "game/editor/level_edit.h"
#include "game/editor/level_verdict.h"
#include "game/rules/board.h"
#include "game/rules/level_format.h"
#include "game/rules/state.h"

namespace {

constexpr int kRepetitions = 15;
constexpr int kCrowdedBoards = 8;
constexpr int kMadeBoards = 2;  // the winding board and the gold field
constexpr int kForestKind = 2;

void Scatter(LevelLayout& level, std::mt19937& random, ToolChoice tool, int tries) {
  for (int i = 0; i < tries; ++i) {
    LevelLayout next = level;
    const CellXY at{static_cast<int>(random() % kColumns), static_cast<int>(random() % kRows)};
    // Nothing is laid that would leave FINISH out of reach.
    if (ApplyEdit(next, tool, at) && JudgeLevel(next).route.found) level = next;
  }
}

// Board `seed` of the crowded ones: gold everywhere a route may run, stones
// on many cells, scenery as walls, one tunnel and one mine.
LevelLayout CrowdedBoard(int seed) {
  std::mt19937 random(static_cast<unsigned>(seed));
  LevelLayout level = EmptyLevel();
  SetStartIron(level, 600);
  Scatter(level, random, {EditTool::Mine, 0, 0}, 1);
  Scatter(level, random, {EditTool::TunnelEntry, 0, static_cast<int>(random() % 4)}, 3);
  Scatter(level, random, {EditTool::TunnelExit, 0, static_cast<int>(random() % 4)}, 3);
  for (int kind = 0; kind < kBuildingKindCount; ++kind) Scatter(level, random, {EditTool::Scenery, kind, 0}, 2);
  Scatter(level, random, {EditTool::Stones, 0, 0}, kBlockTilePoolSize);
  Scatter(level, random, {EditTool::Gold, 0, 0}, kGoldPoolSize * 2);
  return level;
}

// A track forced to wind down and up between walls: the longest route a
// board of scenery allows, and the bound the search is guided by is far
// below its cost.
LevelLayout WindingBoard() {
  LevelLayout level = EmptyLevel();
  for (int x = 2; x < kColumns - 1; x += 2) {
    const int top = x % 4 == 2 ? 0 : 1;  // open at the bottom, then at the top
    for (int y = top; y < top + kRows - 1; ++y) ApplyEdit(level, {EditTool::Scenery, kForestKind, 0}, {x, y});
  }
  SetStartIron(level, kMaxLevelIron);
  return level;
}

// An open board strewn with gold and stones: many routes of one iron, among
// which the search has to find the fewest stones and the most gold.
LevelLayout GoldFieldBoard() {
  LevelLayout level = EmptyLevel();
  for (int i = 0; i < kCellCount; ++i) {
    const CellXY c{i % kColumns, i / kColumns};
    ApplyEdit(level, {(c.x + c.y) % 2 == 0 ? EditTool::Gold : EditTool::Stones, 0, 0}, c);
  }
  return level;
}

const std::vector<LevelLayout>& CrowdedBoards() {
  static const std::vector<LevelLayout> boards = [] {
    std::vector<LevelLayout> made = {WindingBoard(), GoldFieldBoard()};
    for (int seed = 1; seed <= kCrowdedBoards; ++seed) made.push_back(CrowdedBoard(seed));
    return made;
  }();
  return boards;
}

void Judge(benchmark::State& state, const LevelLayout& level) {
  LevelVerdict verdict;
  for (auto _ : state) {
    verdict = JudgeLevel(level);
    benchmark::DoNotOptimize(verdict);
  }
  state.counters["iron"] = verdict.iron;
  state.counters["pieces"] = verdict.pieces;
  state.counters["winnable"] = verdict.winnable;
  state.counters["gold"] = static_cast<double>(level.gold.size());
  state.counters["stones"] = static_cast<double>(level.stones.size());
  state.counters["scenery"] = static_cast<double>(level.scenery.size());
}

void VerdictOnLevel(benchmark::State& state) { Judge(state, LevelLayoutOf(static_cast<int>(state.range(0)))); }

void VerdictOnCrowdedBoard(benchmark::State& state) {
  Judge(state, CrowdedBoards()[static_cast<std::size_t>(state.range(0))]);
}

double Worst(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

}  // namespace

BENCHMARK(VerdictOnLevel)
    ->DenseRange(1, kLevelCount)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("worst", Worst)
    ->ReportAggregatesOnly(true);

BENCHMARK(VerdictOnCrowdedBoard)
    ->DenseRange(0, kMadeBoards + kCrowdedBoards - 1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ComputeStatistics("worst", Worst)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
