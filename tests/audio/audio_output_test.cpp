// What the audio device really puts out. Each scenario runs in a child process
// whose OpenAL Soft is configured before it starts: the wave backend writes
// the mixed output to a file the parent then measures, or no backend at all.
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio.h"
#include "audio/music_stream.h"
#include "tests/audio/wav_builder.h"
#include "tests/audio/audio_test_util.h"

using namespace audiotest;

namespace {

constexpr int kOutputRate = 22050;

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/tarvex-audio-XXXXXX";
    path_ = mkdtemp(name) ? name : "";
  }
  ~TempFolder() {
    if (!path_.empty()) std::system(("rm -rf '" + path_ + "'").c_str());
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Runs body in a child process after setting up its environment; answers the
// child's exit status (the child's own checks report through it).
int RunChild(const std::function<void()>& environment, const std::function<int()>& body) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    environment();
    const int code = body();
    std::fflush(stdout);
    _exit(code);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The device's clock: how much output it has mixed, in nanoseconds.
std::int64_t DeviceClock(ALCdevice* device) {
  static const auto getInteger64 =
      reinterpret_cast<LPALCGETINTEGER64VSOFT>(alcGetProcAddress(device, "alcGetInteger64vSOFT"));
  ALCint64SOFT clock = -1;
  if (getInteger64 != nullptr) getInteger64(device, ALC_DEVICE_CLOCK_SOFT, 1, &clock);
  return clock;
}

// What a scenario uses to pace itself by the output actually mixed (not by
// the wall clock, which a busy machine makes drift from it) and to log when
// each event took effect.
class Script {
 public:
  Script(ALCdevice* device, const std::string& logPath) : device_(device), log_(logPath), last_(DeviceClock(device)) {}
  void Mark(const char* name) {
    last_ = DeviceClock(device_);
    log_ << name << ' ' << last_ << '\n';
  }
  // Returns once the device has mixed ms milliseconds of output since the last mark.
  void Play(int ms) {
    const std::int64_t until = last_ + std::int64_t(ms) * 1000000;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (DeviceClock(device_) < until && std::chrono::steady_clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

 private:
  ALCdevice* device_;
  std::ofstream log_;
  std::int64_t last_;
};

// The mono 16-bit samples of the wave backend's file, and when each event
// took effect (as positions in seconds of output).
struct Recording {
  std::vector<std::int16_t> samples;
  std::map<std::string, double> at;

  double Rms(double from, double to) const {
    const std::size_t a = static_cast<std::size_t>(from * kOutputRate);
    const std::size_t b = std::min(samples.size(), static_cast<std::size_t>(to * kOutputRate));
    if (b <= a) return -1;
    double sum = 0;
    for (std::size_t i = a; i < b; ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(b - a));
  }
  // Rising zero crossings per second.
  double Pitch(double from, double to) const {
    const std::size_t a = static_cast<std::size_t>(from * kOutputRate);
    const std::size_t b = std::min(samples.size(), static_cast<std::size_t>(to * kOutputRate));
    int crossings = 0;
    for (std::size_t i = a + 1; i < b; ++i) crossings += samples[i - 1] < 0 && samples[i] >= 0;
    return crossings / (double(b - a) / kOutputRate);
  }
  // Separate bursts of sound: runs of loud 10 ms blocks.
  int Bursts(double from, double to) const {
    int bursts = 0;
    bool loud = false;
    for (double t = from; t + 0.01 <= to; t += 0.01) {
      const bool now = Rms(t, t + 0.01) > 1000;
      if (now && !loud) ++bursts;
      loud = now;
    }
    return bursts;
  }
};

// Plays the scripted scenario on a device whose output goes to a wave file.
Recording RecordScenario(const TempFolder& folder, const std::function<void(gxtkAudio*, Script&)>& scenario) {
  const std::string conf = folder.File("alsoft.conf");
  const std::string out = folder.File("out.wav");
  const std::string marks = folder.File("marks.txt");
  std::ofstream(conf) << "[general]\ndrivers=wave\nfrequency=" << kOutputRate
                      << "\nchannels=mono\nsample-type=int16\nperiod_size=256\n[wave]\nfile=" << out << "\n";
  const int status = RunChild(
      [&] {
        unsetenv("ALSOFT_DRIVERS");
        setenv("ALSOFT_CONF", conf.c_str(), 1);
      },
      [&] {
        auto* audio = new gxtkAudio();
        if (audio->device == nullptr || audio->context == nullptr) return 3;
        {
          Script script(audio->device, marks);
          scenario(audio, script);
        }
        // Closing the device finishes the file.
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(audio->context);
        alcCloseDevice(audio->device);
        return 0;
      });
  EXPECT_EQ(status, 0);

  Recording rec;
  std::ifstream in(out, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Walk the chunks to "data"; the backend writes 16-bit mono as asked.
  auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
  std::size_t pos = 12;
  while (pos + 8 <= bytes.size() && std::string(&bytes[pos], 4) != "data") {
    pos += 8 + (byte(pos + 4) | byte(pos + 5) << 8 | byte(pos + 6) << 16 | byte(pos + 7) << 24);
  }
  for (std::size_t i = pos + 8; i + 1 < bytes.size(); i += 2) {
    rec.samples.push_back(static_cast<std::int16_t>(byte(i) | byte(i + 1) << 8));
  }
  std::ifstream log(marks);
  std::string name;
  long long clock = 0;
  while (log >> name >> clock) rec.at[name] = clock / 1e9;
  return rec;
}

// Margins around each event: the mixer works in periods of a few milliseconds.
constexpr double kSettle = 0.04;

TEST(AudioOutput, EffectsPausesAndSuspensionAreHeard) {
  TempFolder folder;
  const Recording rec = RecordScenario(folder, [](gxtkAudio* audio, Script& script) {
    gxtkSample* tone = MakeTone(audio, 1000, 441.0);
    script.Play(200);
    script.Mark("start");
    audio->StartChannel(tone, 0, 1);
    script.Play(250);
    script.Mark("hold");
    audio->HoldChannel(0);
    script.Play(250);
    script.Mark("continue");
    audio->ContinueChannel(0);
    script.Play(250);
    script.Mark("suspend");
    audio->SuspendOutput();
    script.Play(250);
    script.Mark("resume");
    audio->ResumeOutput();
    script.Play(250);
    script.Mark("halt");
    audio->HaltChannel(0);
    script.Play(200);
    script.Mark("end");
  });
  ASSERT_EQ(rec.at.size(), 7u);
  ASSERT_GE(rec.samples.size(), static_cast<std::size_t>(rec.at.at("end") * kOutputRate));

  auto between = [&](const char* a, const char* b) { return rec.Rms(rec.at.at(a) + kSettle, rec.at.at(b) - kSettle); };
  EXPECT_LT(rec.Rms(0.0, rec.at.at("start") - kSettle), 1.0) << "silence before anything plays";
  EXPECT_GT(between("start", "hold"), 3000) << "the started effect";
  EXPECT_NEAR(rec.Pitch(rec.at.at("start") + kSettle, rec.at.at("hold") - kSettle), 441.0, 15.0);
  EXPECT_LT(between("hold", "continue"), 1.0) << "a paused channel is silent";
  EXPECT_GT(between("continue", "suspend"), 3000) << "continued";
  EXPECT_LT(between("suspend", "resume"), 1.0) << "a suspended device is silent";
  EXPECT_GT(between("resume", "halt"), 3000) << "resumed";
  EXPECT_LT(between("halt", "end"), 1.0) << "halted";
}

TEST(AudioOutput, MusicLoopsUntilStopped) {
  TempFolder folder;
  const Recording rec = RecordScenario(folder, [](gxtkAudio* audio, Script& script) {
    // 80 ms of tone then 120 ms of silence, repeated every 200 ms while it loops.
    const int toneFrames = kToneRate * 80 / 1000, frames = kToneRate * 200 / 1000;
    wavtest::Bytes pcm = wavtest::Sine16(toneFrames, 1, 660.0 / kToneRate);
    pcm.resize(static_cast<std::size_t>(frames) * 2, 0);
    gxtkSample* music = audio->UploadIntoSample(new gxtkSample(), pcm.data(), frames, 1, 2, kToneRate);
    gxtkSample* once = audio->UploadIntoSample(new gxtkSample(), pcm.data(), frames, 1, 2, kToneRate);
    script.Mark("loop");
    audio->StartChannel(music, kMusicChannel, 1);
    script.Play(900);
    script.Mark("once");
    audio->StartChannel(once, kMusicChannel, 0);
    script.Play(700);
    script.Mark("end");
  });
  ASSERT_EQ(rec.at.size(), 3u);
  // Four full periods fit in the looping stretch; a single play gives one burst.
  EXPECT_GE(rec.Bursts(rec.at.at("loop") + kSettle, rec.at.at("once") - kSettle), 4);
  EXPECT_EQ(rec.Bursts(rec.at.at("once") + kSettle, rec.at.at("end") - kSettle), 1);
  EXPECT_LT(rec.Rms(rec.at.at("once") + 0.25, rec.at.at("end") - kSettle), 1.0);
}

// The streamed music as heard: a piece looping across its end and a
// crossfade to the next, updated at the game's rate, never fall silent.
TEST(AudioOutput, StreamedMusicHasNoGapAtItsLoopOrInACrossfade) {
  TempFolder folder;
  // Whole periods in one second each, so a loop's join is smooth too.
  static std::map<std::string, MusicBytes> pieces;
  pieces["low"] = std::make_shared<const wavtest::Bytes>(wavtest::EncodeOgg(1, 1, 22050, 441.0));
  pieces["high"] = std::make_shared<const wavtest::Bytes>(wavtest::EncodeOgg(1, 1, 22050, 882.0));
  ASSERT_FALSE(pieces["low"]->empty()) << "oggenc (vorbis-tools) is needed";
  const Recording rec = RecordScenario(folder, [](gxtkAudio*, Script& script) {
    MusicStreamer music([](const std::string& file) { return pieces[file]; });
    auto playFor = [&](int ms) {
      for (int t = 0; t < ms; t += 33) {
        script.Play(33);
        script.Mark("update");
        music.Update(0.033f);
      }
    };
    script.Play(100);
    script.Mark("start");
    music.Play("low", true, 0.0f);
    playFor(2300);  // past two loop points
    script.Mark("fade");
    music.Play("high", true, 0.5f);
    playFor(1200);
    script.Mark("end");
    music.Halt();
  });
  ASSERT_GE(rec.samples.size(), static_cast<std::size_t>(rec.at.at("end") * kOutputRate));
  // The piece starts sounding at the second update after its start.
  const double start = rec.at.at("start") + 0.1 + kSettle, fade = rec.at.at("fade"),
               end = rec.at.at("end") - kSettle;
  const double steady = rec.Rms(start, fade);
  ASSERT_GT(steady, 3000);
  double quietest = 1e9;
  for (double t = start; t + 0.01 <= end; t += 0.01) quietest = std::min(quietest, rec.Rms(t, t + 0.01));
  EXPECT_GT(quietest, 0.6 * steady) << "a 10-ms stretch fell (nearly) silent";
  EXPECT_NEAR(rec.Pitch(start, fade - kSettle), 441.0, 15.0);
  EXPECT_NEAR(rec.Pitch(fade + 0.6, end), 882.0, 20.0) << "after the fade only the new piece";
}

// The player's volumes as heard: the effects' gain at 30 % gives 30 % of the
// full amplitude, whatever volume the game gives the channel itself; the
// music's gain at 0 silences the music channel while the effects play on.
TEST(AudioOutput, TheVolumeGainsScaleWhatIsHeard) {
  TempFolder folder;
  const Recording rec = RecordScenario(folder, [](gxtkAudio* audio, Script& script) {
    gxtkSample* tone = MakeTone(audio, 3000, 441.0);
    gxtkSample* music = MakeTone(audio, 3000, 660.0);
    script.Play(100);
    script.Mark("full");
    audio->StartChannel(tone, 0, 1);
    script.Play(300);
    script.Mark("thirty");
    audio->SetEffectsGain(0.3f);
    script.Play(300);
    script.Mark("music");
    audio->HaltChannel(0);
    audio->SetMusicGain(0.0f);
    audio->StartChannel(music, kMusicChannel, 1);
    audio->SetMusicVolume(1.0f);  // the game's own fade cannot lift it
    script.Play(300);
    script.Mark("back");
    audio->SetMusicGain(1.0f);
    script.Play(300);
    script.Mark("end");
    audio->HaltChannel(kMusicChannel);
  });
  ASSERT_EQ(rec.at.size(), 5u);
  auto between = [&](const char* a, const char* b) { return rec.Rms(rec.at.at(a) + kSettle, rec.at.at(b) - kSettle); };
  const double full = between("full", "thirty");
  ASSERT_GT(full, 3000);
  EXPECT_NEAR(between("thirty", "music") / full, 0.3, 0.02) << "effects at 30 %";
  EXPECT_LT(between("music", "back"), 1.0) << "music at 0 plays nothing";
  EXPECT_GT(between("back", "end"), 3000) << "the music's gain back at full";
}

// Without any usable backend: one line is printed and nothing else happens.
TEST(AudioOutput, WithoutADeviceEverythingIsHarmless) {
  TempFolder folder;
  const std::string printed = folder.File("stdout.txt");
  const int status = RunChild(
      [&] {
        setenv("ALSOFT_DRIVERS", "nonexistent", 1);
        unsetenv("ALSOFT_CONF");
        std::freopen(printed.c_str(), "w", stdout);
      },
      [] {
        gc_global<gxtkAudio*> device;
        device = new gxtkAudio();
        gxtkAudio* audio = device;
        if (audio->device != nullptr || audio->context != nullptr) return 10;
        gxtkSample* sample = MakeTone(audio, 50);
        if (sample->buffer != 0) return 11;
        audio->StartChannel(sample, 0, 1);
        audio->SetChannelVolume(0, 0.5f);
        audio->SetChannelPan(0, 0.5f);
        audio->SetChannelRate(0, 2.0f);
        audio->SuspendOutput();
        audio->ResumeOutput();
        audio->HoldChannel(0);
        audio->ContinueChannel(0);
        if (audio->QueryChannel(0) != kChannelStopped) return 12;  // nothing can be playing
        audio->StartChannel(sample, kMusicChannel, 1);
        audio->SetMusicVolume(0.3f);
        audio->HoldMusic();
        audio->ContinueMusic();
        audio->HaltMusic();
        if (audio->QueryMusic() != kChannelStopped) return 13;
        sample->Release();
        if (!discardedBuffers.empty()) return 14;
        audio->FlushDiscardedBuffers();
        GcCollectAll();
        if (GcCheckHeap() != "") return 15;
        return 0;
      });
  EXPECT_EQ(status, 0);
  std::ifstream in(printed);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "OpenAl error: alcOpenDevice failed\n");
}

}  // namespace
