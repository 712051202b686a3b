// How long the hint's search takes on every level: from the start, and from a
// moment half-way through (half the cheapest track built, one of those pieces
// torn out again, a wrong piece standing further on the route, a piece under
// construction and half the countdown gone), and from a board littered with
// pieces of every kind. The game wants the hint on the
// screen within 0.3 s of the key.
//
//   bench_hint                       every level, median and worst of 15 runs
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "game/rules/train.h"
#include "game/solver/hint_search.h"
#include "game/solver/solution.h"

namespace {

constexpr int kRepetitions = 15;

HintState Start(int n) { return HintStateAtStart(ReadBoard(n), kNewGameWorkers); }

HintState HalfWay(int n) {
  const LevelSolution s = SolveLevel(n);
  HintState h = Start(n);
  const size_t half = s.pieces.size() / 2;
  for (size_t i = 0; i < half; ++i) h.At(s.pieces[i].cell).piece = s.pieces[i].kind;
  if (half > 0) h.At(s.pieces[half / 2].cell).piece = kNoPiece;  // torn out
  if (half + 2 < s.pieces.size()) {
    const TrackPiece& wrong = s.pieces[half + 1];
    h.At(wrong.cell).piece = wrong.kind == PieceStraightWE ? PieceStraightNS : PieceStraightWE;
    HintCell& building = h.At(s.pieces[half].cell);
    building.building = s.pieces[half].kind;
    building.buildMsLeft = 2500;
    h.freeWorkers -= 1;
  }
  for (size_t i = 0; i < half; ++i) {
    const CellXY c = s.pieces[i].cell;
    if (s.board.At(c) == Ground::Stones) h.board.cells[CellIndex(c.x, c.y)] = Ground::Free;  // cleared
  }
  h.countdownMsLeft = kDepartureSeconds * 1000 / 2;
  h.iron = std::max(0, s.board.iron - s.ironCost / 2);
  return h;
}

// A board littered with pieces: every free cell holds one, of a kind picked
// by a fixed sequence, so most passes are free and the search has the most
// routes of equal cost to tell apart.
HintState Littered(int n) {
  HintState h = Start(n);
  unsigned seed = 12345u + static_cast<unsigned>(n);
  for (int i = 0; i < kCellCount; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const Ground g = h.board.cells[i];
    if (g == Ground::Free || g == Ground::Gold) h.cells[i].piece = static_cast<int>((seed >> 16) % kPieceKindCount);
  }
  return h;
}

void Search(benchmark::State& state, HintState (*make)(int)) {
  const HintState h = make(static_cast<int>(state.range(0)));
  bool way = false;
  for (auto _ : state) {
    const HintResult r = FindHint(h);
    way = r.wayExists;
    benchmark::DoNotOptimize(r.toOrder.data());
  }
  state.counters["way"] = way ? 1 : 0;
}

double Worst(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

void Register(const char* name, HintState (*make)(int)) {
  benchmark::RegisterBenchmark(name, Search, make)
      ->DenseRange(1, kLevelCount)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(kRepetitions)
      ->ComputeStatistics("worst", Worst)
      ->ReportAggregatesOnly(true);
}

}  // namespace

int main(int argc, char** argv) {
  Register("HintFromStart", Start);
  Register("HintHalfWay", HalfWay);
  Register("HintLittered", Littered);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
