// Collector throughput against plain new/delete on a mixed workload of small
// objects, and the longest single CollectStep pause with a 20 MiB live heap.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <random>
#include <vector>

#include "runtime/array.h"
#include "runtime/gc.h"

namespace {

// Objects of 16 to 56 bytes of payload-bearing size classes.
template <int Bytes>
class Blob : public Object {
 public:
  char fill[Bytes > 32 ? Bytes - 32 : 1];
};

class Holder : public Object {
 public:
  void Mark() override { held.Mark(); }
  gc_ref<Object> held;
};

Object* NewMixed(unsigned pick) {
  switch (pick % 4) {
    case 0: return new Blob<32>();
    case 1: return new Blob<40>();
    case 2: return new Blob<48>();
    default: return new Blob<56>();
  }
}

// A live set of about 4 MiB in a ring; each iteration replaces one entry, so
// the rest becomes garbage. The host's step runs every 256 allocations.
void BM_CollectedMixed(benchmark::State& state) {
  GcInitLists();
  static gc_global<Array<Object*>> ring;
  const int live = 4 * 1024 * 1024 / 44;
  ring = Array<Object*>(live);
  for (int i = 0; i < live; ++i) ring[i] = NewMixed(static_cast<unsigned>(i));
  Holder* delegate = new Holder();
  std::minstd_rand random(1);
  int slot = 0, sinceStep = 0;
  for (auto _ : state) {
    ring[slot] = NewMixed(random());
    if (++slot == live) slot = 0;
    if (++sinceStep == 256) {
      sinceStep = 0;
      MarkNow(delegate);
      CollectStep();
    }
  }
  state.SetItemsProcessed(state.iterations());
  ring = Array<Object*>();
  GcCollectAll();
}
BENCHMARK(BM_CollectedMixed);

struct Plain {
  virtual ~Plain() = default;
};
template <int Bytes>
struct PlainBlob : Plain {
  char fill[Bytes > 8 ? Bytes - 8 : 1];
};

std::unique_ptr<Plain> NewPlain(unsigned pick) {
  switch (pick % 4) {
    case 0: return std::make_unique<PlainBlob<32>>();
    case 1: return std::make_unique<PlainBlob<40>>();
    case 2: return std::make_unique<PlainBlob<48>>();
    default: return std::make_unique<PlainBlob<56>>();
  }
}

void BM_NewDeleteMixed(benchmark::State& state) {
  const int live = 4 * 1024 * 1024 / 44;
  std::vector<std::unique_ptr<Plain>> ring(live);
  for (int i = 0; i < live; ++i) ring[i] = NewPlain(static_cast<unsigned>(i));
  std::minstd_rand random(1);
  int slot = 0;
  for (auto _ : state) {
    ring[slot] = NewPlain(random());
    if (++slot == live) slot = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NewDeleteMixed);

// Longest single CollectStep with a 20 MiB live heap while allocation goes on;
// reported as counters (microseconds), full collections included. The live
// heap is 1024 buckets of small objects, as a game's pools would be, rather
// than one huge array whose marking would be a single indivisible step.
void BM_LongestStepPause20MiB(benchmark::State& state) {
  GcInitLists();
  static gc_global<Array<Object*>> buckets;
  constexpr int kBuckets = 1024;
  const int perBucket = 20 * 1024 * 1024 / 44 / kBuckets;
  buckets = Array<Object*>(kBuckets);
  for (int b = 0; b < kBuckets; ++b) {
    Holder* bucket = new Holder();
    Holder* tail = bucket;
    for (int i = 0; i < perBucket; ++i) {
      Holder* next = new Holder();
      tail->held = next;
      tail = next;
    }
    buckets[b] = bucket;
  }
  Holder* delegate = new Holder();
  std::minstd_rand random(2);
  double longest = 0, total = 0;
  long steps = 0;
  for (auto _ : state) {
    for (int i = 0; i < 2000; ++i) {  // one update's worth of allocation
      Holder* fresh = new Holder();
      fresh->held = NewMixed(random());
      Holder* bucket = static_cast<Holder*>(buckets[random() % kBuckets].get());
      // Replace the bucket's second element: the old one's chain becomes garbage.
      Holder* old = static_cast<Holder*>(bucket->held.get());
      fresh->held = old ? old->held.get() : nullptr;
      bucket->held = fresh;
    }
    const auto start = std::chrono::steady_clock::now();
    MarkNow(delegate);
    CollectStep();
    const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    longest = std::max(longest, us);
    total += us;
    ++steps;
  }
  state.counters["longest_step_us"] = longest;
  state.counters["mean_step_us"] = steps ? total / steps : 0;
  state.counters["live_MiB"] = GcGetStats().liveBytes / 1048576.0;
  buckets = Array<Object*>();
  GcCollectAll();
}
BENCHMARK(BM_LongestStepPause20MiB)->Iterations(3000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
