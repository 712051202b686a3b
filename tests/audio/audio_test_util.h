// Shared helpers of the audio device tests: tones uploaded straight into
// samples, and waiting on OpenAL playback with a bound.
#pragma once

#include <AL/al.h>

#include <chrono>
#include <functional>
#include <thread>

#include "audio/audio.h"
#include "tests/audio/wav_builder.h"

namespace audiotest {

constexpr int kToneRate = 22050;

// A 16-bit mono sine tone of the given length, uploaded into a new sample.
inline gxtkSample* MakeTone(gxtkAudio* audio, int milliseconds, double hertz = 440.0) {
  const int frames = kToneRate * milliseconds / 1000;
  const wavtest::Bytes pcm = wavtest::Sine16(frames, 1, hertz / kToneRate);
  return audio->UploadIntoSample(new gxtkSample(), pcm.data(), frames, 1, 2, kToneRate);
}

inline ALint SourceStateOf(gxtkAudio* audio, int c) {
  ALint state = 0;
  alGetSourcei(audio->channels[c].sourceName, AL_SOURCE_STATE, &state);
  return state;
}

// Polls condition every few milliseconds for at most timeoutMs; answers its last value.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

inline bool IsBuffer(unsigned int name) { return name != 0 && alIsBuffer(name) == AL_TRUE; }

}  // namespace audiotest
