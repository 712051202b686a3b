// What streaming the music adds to an update (run from the repository's root,
// on OpenAL Soft's null backend: ALSOFT_DRIVERS=null build/bench/bench_music_stream).
//
// Each measured update is the costliest kind there is: the source has played
// everything it held (it is stopped before the update, outside the timing),
// so the update takes every buffer back, decodes a whole block and queues
// it. A steady update decodes at most that one block, and most decode none.
// "worst_cpu_ms" is the slowest single update of the run in the thread's own
// processor time, the figure that must stay under a millisecond; "worst_ms"
// is the same on the wall clock, which on a busy machine also counts the
// time other processes had the processor. The mean is Google Benchmark's own.
#include <AL/al.h>
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "audio/music_stream.h"

namespace {

MusicBytes ReadWhole(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return nullptr;
  return std::make_shared<const std::vector<unsigned char>>(std::istreambuf_iterator<char>(in),
                                                            std::istreambuf_iterator<char>());
}

gxtkAudio* Device() {
  static gc_global<gxtkAudio*> device;
  if (device.get() == nullptr) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    device = new gxtkAudio();
  }
  return device;
}

using Clock = std::chrono::steady_clock;

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The slowest of the timed calls, on the wall clock and in processor time.
class Worst {
 public:
  template <class Call>
  void Time(benchmark::State& state, Call call) {
    const double cpu = ThreadSeconds();
    const auto start = Clock::now();
    call();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    wall_ = std::max(wall_, seconds);
    cpu_ = std::max(cpu_, ThreadSeconds() - cpu);
    state.SetIterationTime(seconds);
  }
  void Report(benchmark::State& state) const {
    state.counters["worst_ms"] = wall_ * 1000.0;
    state.counters["worst_cpu_ms"] = cpu_ * 1000.0;
  }

 private:
  double wall_ = 0;
  double cpu_ = 0;
};

// Times updates of the streamer with every deck's queue played out before each.
void RunUpdates(benchmark::State& state, MusicStreamer& music) {
  Worst worst;
  for (auto _ : state) {
    for (MusicDeck* deck : {&music.Front(), &music.Back()}) {
      if (deck->Loaded()) alSourceStop(deck->Source());
    }
    worst.Time(state, [&] { music.Update(1.0f / 30.0f); });
  }
  worst.Report(state);
}

// One piece playing: a block decoded each update.
void BM_UpdateOnePiece(benchmark::State& state) {
  Device();
  MusicStreamer music(ReadWhole);
  if (!music.Play("data/music_level.ogg", true, 0.0f)) {
    state.SkipWithError("data/music_level.ogg not found (run from the repository's root)");
    return;
  }
  RunUpdates(state, music);
}
BENCHMARK(BM_UpdateOnePiece)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3000);

// A crossfade under way: both decks decode a block in the same update. The
// fade is restarted whenever it ends so every update has two pieces.
void BM_UpdateDuringACrossfade(benchmark::State& state) {
  Device();
  MusicStreamer music(ReadWhole);
  if (!music.Play("data/music_level.ogg", true, 0.0f) || !music.Play("data/music_tension.ogg", true, 1000.0f)) {
    state.SkipWithError("the music files are not found (run from the repository's root)");
    return;
  }
  RunUpdates(state, music);
}
BENCHMARK(BM_UpdateDuringACrossfade)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3000);

// The update that starts a crossfade (the ambience asks for the next piece):
// the decoder is opened on bytes read before, and nothing is decoded.
void BM_StartACrossfade(benchmark::State& state) {
  Device();
  MusicStreamer music(ReadWhole);
  const char* pieces[2] = {"data/music_level.ogg", "data/music_tension.ogg"};
  int next = 0;
  Worst worst;
  music.Play(pieces[1], true, 0.0f);
  music.Play(pieces[0], true, 0.0f);
  for (auto _ : state) {
    next = 1 - next;
    worst.Time(state, [&] {
      music.Play(pieces[next], true, 1.0f);
      music.Update(1.0f / 30.0f);
    });
    music.Update(1.0f / 30.0f);  // the next update's decoding, not timed here
  }
  worst.Report(state);
}
BENCHMARK(BM_StartACrossfade)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);

}  // namespace

BENCHMARK_MAIN();
