// Measures how fast the music decoder turns a two-minute 44.1 kHz stereo Ogg
// Vorbis track into 16-bit samples (as a multiple of real time) and how much
// memory it takes at its peak, next to Debian's oggdec on the same file.
//
//   bench_ogg_decode            makes the track with oggenc, runs both, prints a table
//   bench_ogg_decode FILE       uses an existing Ogg file instead
//
// Each decoder runs in a fresh process so its peak resident size is its own:
// this program re-runs itself with "--decode FILE" (or "--load FILE", which only
// reads the file, as a baseline). The peak of a process includes what its
// parent held when it was started, so this parent keeps nothing large: the
// track is synthesised in a child process too.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/sound_codec.h"

extern char** environ;

namespace {

constexpr int kSeconds = 120;
constexpr int kRate = 44100;
constexpr int kRuns = 3;

using Clock = std::chrono::steady_clock;

std::vector<unsigned char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put16(std::vector<unsigned char>& out, unsigned v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>(v >> 8));
}
void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Two minutes of something music-like: a slow chord progression of a few
// partials per note, a plucked envelope every half second, left and right
// voiced differently, and a little noise so the encoder has detail to keep.
void WriteMusicWav(const std::string& path) {
  const std::uint32_t frames = kSeconds * kRate;
  std::vector<unsigned char> out;
  out.reserve(44 + frames * 4);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  Put32(out, 36 + frames * 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 2);
  Put32(out, kRate);
  Put32(out, kRate * 4);
  Put16(out, 4);
  Put16(out, 16);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  Put32(out, frames * 4);
  const double chords[4][3] = {{220.0, 277.2, 329.6}, {196.0, 246.9, 293.7}, {174.6, 220.0, 261.6}, {196.0, 246.9, 311.1}};
  std::uint32_t noise = 12345;
  const double twoPi = 6.283185307179586;
  for (std::uint32_t i = 0; i < frames; ++i) {
    const double t = double(i) / kRate;
    const auto& chord = chords[(i / (kRate * 2)) % 4];
    const double pluck = std::exp(-6.0 * std::fmod(t, 0.5));
    double left = 0, right = 0;
    for (int n = 0; n < 3; ++n) {
      const double f = chord[n];
      const double note = std::sin(twoPi * f * t) + 0.4 * std::sin(twoPi * 2 * f * t) + 0.2 * std::sin(twoPi * 3 * f * t);
      left += note * (n == 0 ? 1.0 : 0.6);
      right += note * (n == 2 ? 1.0 : 0.6);
    }
    noise = noise * 1664525u + 1013904223u;
    const double hiss = (double(noise >> 8) / 16777216.0 - 0.5) * 0.05;
    Put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(6000 * pluck * left / 3 + 3000 * hiss)));
    Put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(6000 * pluck * right / 3 - 3000 * hiss)));
  }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
}

struct RunResult {
  bool ok = false;
  double seconds = 0;  // wall time of the whole process
  long peakKiB = 0;    // its peak resident size
  std::string output;  // what it printed (first line)
};

// Runs argv to completion, timing it and reading its peak resident size.
RunResult Run(const std::vector<std::string>& args) {
  RunResult result;
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  const auto start = Clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return result;
  }
  char buffer[256];
  ssize_t n;
  while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, std::size_t(n));
  close(pipeFds[0]);
  int status = 0;
  struct rusage usage {};
  wait4(pid, &status, 0, &usage);
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  result.peakKiB = usage.ru_maxrss;
  result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}

// Child modes: decode the file and print the decoder's own time and the frame count.
int ChildDecode(const std::string& path, bool decode) {
  const std::vector<unsigned char> bytes = ReadFile(path);
  if (bytes.empty()) return 1;
  if (!decode) {
    std::printf("0 0 0 0\n");
    return 0;
  }
  int length = 0, channels = 0, format = 0, rate = 0;
  const auto start = Clock::now();
  unsigned char* pcm = DecodeOgg(bytes.data(), bytes.size(), &length, &channels, &format, &rate);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (pcm == nullptr) return 2;
  std::free(pcm);
  std::printf("%.6f %d %d %d\n", seconds, length, channels, rate);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && (std::strcmp(argv[1], "--decode") == 0 || std::strcmp(argv[1], "--load") == 0)) {
    return ChildDecode(argv[2], std::strcmp(argv[1], "--decode") == 0);
  }

  std::string ogg;
  std::string folder;
  if (argc == 2) {
    ogg = argv[1];
  } else {
    char name[] = "/tmp/tarvex-oggbench-XXXXXX";
    if (mkdtemp(name) == nullptr) return 1;
    folder = name;
    const std::string wav = folder + "/music.wav";
    ogg = folder + "/music.ogg";
    std::printf("Making a %d s, %d Hz stereo track with oggenc -q 4 ...\n", kSeconds, kRate);
    std::fflush(stdout);
    const pid_t maker = fork();
    if (maker == 0) {
      WriteMusicWav(wav);
      _exit(0);
    }
    int status = 0;
    waitpid(maker, &status, 0);
    if (!Run({"oggenc", "-Q", "-q", "4", "-o", ogg, wav}).ok) {
      std::fprintf(stderr, "oggenc failed (vorbis-tools is needed)\n");
      return 1;
    }
    std::remove(wav.c_str());
  }
  char selfPath[4096];
  const ssize_t selfLength = readlink("/proc/self/exe", selfPath, sizeof selfPath - 1);
  if (selfLength <= 0) return 1;
  selfPath[selfLength] = 0;

  const RunResult probe = Run({selfPath, "--decode", ogg});
  double probeSeconds = 0;
  int length = 0, channels = 0, rate = 0;
  if (!probe.ok || std::sscanf(probe.output.c_str(), "%lf %d %d %d", &probeSeconds, &length, &channels, &rate) != 4 ||
      rate <= 0) {
    std::fprintf(stderr, "the decoder refused %s\n", ogg.c_str());
    return 1;
  }
  std::ifstream oggFile(ogg, std::ios::binary | std::ios::ate);
  const double trackSeconds = double(length) / rate;
  std::printf("Track: %.1f s, %d channels, %d Hz, %.1f KiB of Ogg Vorbis, %.1f MiB decoded\n", trackSeconds, channels,
              rate, double(oggFile.tellg()) / 1024.0, double(length) * channels * 2 / 1048576.0);

  double bestDecode = 1e9, bestDecodeProcess = 1e9, bestOggdec = 1e9;
  long peakDecode = 0, peakLoad = 0, peakOggdec = 0;
  for (int i = 0; i < kRuns; ++i) {
    const RunResult load = Run({selfPath, "--load", ogg});
    const RunResult decode = Run({selfPath, "--decode", ogg});
    const RunResult oggdec = Run({"oggdec", "-Q", "-o", "/dev/null", ogg});
    if (!load.ok || !decode.ok || !oggdec.ok) {
      std::fprintf(stderr, "a run failed (oggdec from vorbis-tools is needed)\n");
      return 1;
    }
    bestDecode = std::min(bestDecode, std::strtod(decode.output.c_str(), nullptr));
    bestDecodeProcess = std::min(bestDecodeProcess, decode.seconds);
    bestOggdec = std::min(bestOggdec, oggdec.seconds);
    peakDecode = std::max(peakDecode, decode.peakKiB);
    peakLoad = std::max(peakLoad, load.peakKiB);
    peakOggdec = std::max(peakOggdec, oggdec.peakKiB);
  }

  std::printf("\nBest of %d runs, each in its own process:\n", kRuns);
  std::printf("  %-34s %9s %11s %14s\n", "", "seconds", "x realtime", "peak RSS MiB");
  std::printf("  %-34s %9.3f %11.1f %14s\n", "DecodeOgg (decode call only)", bestDecode, trackSeconds / bestDecode, "");
  std::printf("  %-34s %9.3f %11.1f %14.1f\n", "DecodeOgg (whole process)", bestDecodeProcess,
              trackSeconds / bestDecodeProcess, peakDecode / 1024.0);
  std::printf("  %-34s %9s %11s %14.1f\n", "  baseline: only reading the file", "", "", peakLoad / 1024.0);
  std::printf("  %-34s %9.3f %11.1f %14.1f\n", "oggdec -o /dev/null (streaming)", bestOggdec, trackSeconds / bestOggdec,
              peakOggdec / 1024.0);

  if (!folder.empty()) {
    std::remove(ogg.c_str());
    rmdir(folder.c_str());
  }
  return 0;
}
