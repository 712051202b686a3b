#include "audio/audio.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <cmath>
#include <cstdlib>

#include "host/game.h"
#include "runtime/error.h"

std::vector<unsigned int> discardedBuffers;

namespace {

// The source's playback state; a source that cannot be asked (no context, no
// source yet) counts as stopped, since nothing can be playing on it.
ALint SourceState(ALuint source) {
  ALint state = AL_STOPPED;
  if (source != 0) alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

// The music's files are read whole (compressed) through the host.
MusicBytes ReadMusicFile(const std::string& file) {
  if (currentGlfwGame == nullptr) return nullptr;
  int size = 0;
  unsigned char* bytes = currentGlfwGame->ReadBinaryFile(String::FromUtf8(file), &size);
  if (bytes == nullptr) return nullptr;
  auto kept = std::make_shared<std::vector<unsigned char>>(bytes, bytes + size);
  std::free(bytes);
  return kept;
}

}  // namespace

int OpenAlFormatOf(int format, int channelCount) {
  if (format == 1 && channelCount == 1) return AL_FORMAT_MONO8;
  if (format == 1 && channelCount == 2) return AL_FORMAT_STEREO8;
  if (format == 2 && channelCount == 1) return AL_FORMAT_MONO16;
  if (format == 2 && channelCount == 2) return AL_FORMAT_STEREO16;
  return 0;
}

// ---- gxtkSample ------------------------------------------------------------

gxtkSample::~gxtkSample() { Release(); }

int gxtkSample::Release() {
  if (buffer != 0) {
    discardedBuffers.push_back(buffer);
    buffer = 0;
  }
  return 0;
}

// ---- gxtkAudio -------------------------------------------------------------

gxtkAudio::gxtkAudio(bool openDevice) : music(ReadMusicFile) {
  for (float& volume : channelVolume_) volume = 1.0f;
  if (!openDevice) return;
  device = alcOpenDevice(nullptr);
  if (device == nullptr) {
    Print(String("OpenAl error: alcOpenDevice failed"));
  } else {
    context = alcCreateContext(device, nullptr);
    if (context == nullptr) {
      Print(String("OpenAl error: alcCreateContext failed"));
    } else if (!alcMakeContextCurrent(context)) {
      Print(String("OpenAl error: alcMakeContextCurrent failed"));
    }
  }
  // Positions only steer the pan; nothing is attenuated by distance.
  alDistanceModel(AL_NONE);
}

void gxtkAudio::Mark() {
  for (AudioChannel& channel : channels) {
    if (channel.state != kChannelStopped && SourceState(channel.sourceName) != AL_STOPPED) channel.sample.Mark();
  }
}

unsigned int gxtkAudio::SourceOf(int c) {
  AudioChannel& channel = channels[c];
  if (channel.sourceName == 0) {
    ALuint source = 0;  // stays 0 when OpenAL has no context
    alGenSources(1, &source);
    channel.sourceName = source;
    if (source != 0) alSourcef(source, AL_GAIN, HeardVolume(c));
  }
  return channel.sourceName;
}

float gxtkAudio::HeardVolume(int c) const {
  return channelVolume_[c] * (c == kMusicChannel ? musicGain_ : effectsGain_);
}

void gxtkAudio::SetEffectsGain(float gain) {
  effectsGain_ = gain;
  for (int c = 0; c < kMusicChannel; ++c) {
    if (channels[c].sourceName != 0) alSourcef(channels[c].sourceName, AL_GAIN, HeardVolume(c));
  }
}

void gxtkAudio::SetMusicGain(float gain) {
  musicGain_ = gain;
  SetMusicVolume(musicVolume_);
}

int gxtkAudio::SuspendOutput() {
  for (AudioChannel& channel : channels) {
    if (channel.state == kChannelPlaying && SourceState(channel.sourceName) == AL_PLAYING) {
      alSourcePause(channel.sourceName);
    }
  }
  music.Suspend();
  return 0;
}

int gxtkAudio::ResumeOutput() {
  for (AudioChannel& channel : channels) {
    if (channel.state == kChannelPlaying && SourceState(channel.sourceName) == AL_PAUSED) {
      alSourcePlay(channel.sourceName);
    }
  }
  music.Resume();
  return 0;
}

gxtkSample* gxtkAudio::DecodeIntoSample(gxtkSample* sample, const String& path) {
  int length = 0, channelCount = 0, format = 0, rate = 0;
  unsigned char* data = currentGlfwGame->ReadSoundFile(path, &length, &channelCount, &format, &rate);
  if (data == nullptr) return nullptr;
  UploadIntoSample(sample, data, length, channelCount, format, rate);
  std::free(data);
  return sample;
}

gxtkSample* gxtkAudio::UploadIntoSample(gxtkSample* sample, const void* data, int length, int channelCount,
                                        int format, int rate) {
  ALuint buffer = 0;  // stays 0 when OpenAL has no context
  alGenBuffers(1, &buffer);
  const long long bytes = static_cast<long long>(format) * channelCount * length;
  // A format OpenAL cannot play (0 from the table) is rejected by alBufferData
  // and leaves the buffer empty: the sample then plays nothing.
  alBufferData(buffer, OpenAlFormatOf(format, channelCount), data, static_cast<ALsizei>(bytes), rate);
  sample->buffer = buffer;
  return sample;
}

gxtkSample* gxtkAudio::CreateSample(const String& path) {
  FlushDiscardedBuffers();
  return DecodeIntoSample(new gxtkSample(), path);
}

int gxtkAudio::StartChannel(gxtkSample* sample, int c, int flags) {
  FlushDiscardedBuffers();
  const ALuint source = SourceOf(c);
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(sample->buffer));
  alSourcei(source, AL_LOOPING, flags != 0 ? AL_TRUE : AL_FALSE);
  alSourcePlay(source);
  AudioChannel& channel = channels[c];
  channel.sample = sample;
  channel.playFlags = flags;
  channel.state = kChannelPlaying;
  return 0;
}

int gxtkAudio::HaltChannel(int c) {
  AudioChannel& channel = channels[c];
  if (channel.state != kChannelStopped) {
    alSourceStop(channel.sourceName);
    channel.state = kChannelStopped;
  }
  return 0;
}

int gxtkAudio::HoldChannel(int c) {
  AudioChannel& channel = channels[c];
  if (channel.state == kChannelPlaying) {
    if (SourceState(channel.sourceName) == AL_STOPPED) {
      channel.state = kChannelStopped;  // the sound had already ended
    } else {
      alSourcePause(channel.sourceName);
      channel.state = kChannelPaused;
    }
  }
  return 0;
}

int gxtkAudio::ContinueChannel(int c) {
  AudioChannel& channel = channels[c];
  if (channel.state == kChannelPaused) {
    alSourcePlay(channel.sourceName);
    channel.state = kChannelPlaying;
  }
  return 0;
}

int gxtkAudio::QueryChannel(int c) {
  AudioChannel& channel = channels[c];
  if (channel.state == kChannelPlaying && SourceState(channel.sourceName) == AL_STOPPED) {
    channel.state = kChannelStopped;
  }
  return channel.state;
}

int gxtkAudio::SetChannelVolume(int c, float volume) {
  channelVolume_[c] = volume;
  alSourcef(SourceOf(c), AL_GAIN, HeardVolume(c));
  return 0;
}

int gxtkAudio::SetChannelPan(int c, float pan) {
  alSource3f(SourceOf(c), AL_POSITION, std::sin(pan), 0.0f, -std::cos(pan));
  return 0;
}

int gxtkAudio::SetChannelRate(int c, float rate) {
  alSourcef(SourceOf(c), AL_PITCH, rate);
  return 0;
}

int gxtkAudio::StartMusic(const String& path, int flags) {
  HaltMusic();
  return music.Play(path.ToUtf8(), flags != 0, 0.0f) ? 0 : -1;
}

int gxtkAudio::CrossfadeMusic(const String& path, int flags, float fadeSeconds) {
  HaltChannel(kMusicChannel);
  return music.Play(path.ToUtf8(), flags != 0, fadeSeconds) ? 0 : -1;
}

void gxtkAudio::UpdateStreams(float seconds) { music.Update(seconds); }

int gxtkAudio::HaltMusic() {
  music.Halt();
  return HaltChannel(kMusicChannel);
}

int gxtkAudio::HoldMusic() {
  music.Hold();
  return HoldChannel(kMusicChannel);
}

int gxtkAudio::ContinueMusic() {
  music.Continue();
  return ContinueChannel(kMusicChannel);
}

// The stream when one is on, else channel 32 (a whole sample started there).
int gxtkAudio::QueryMusic() {
  const int streamed = music.State();
  return streamed != kChannelStopped ? streamed : QueryChannel(kMusicChannel);
}

int gxtkAudio::SetMusicVolume(float volume) {
  musicVolume_ = volume;
  music.SetVolume(volume * musicGain_);
  return SetChannelVolume(kMusicChannel, volume);
}

void gxtkAudio::FlushDiscardedBuffers() {
  if (discardedBuffers.empty()) return;
  // A channel whose sound ended still holds its buffer: let go of it.
  for (AudioChannel& channel : channels) {
    if (channel.state != kChannelStopped && SourceState(channel.sourceName) == AL_STOPPED) {
      alSourcei(channel.sourceName, AL_BUFFER, 0);
    }
  }
  std::vector<unsigned int> kept;
  for (unsigned int buffer : discardedBuffers) {
    // Clear any error left by an earlier call so only this deletion is judged.
    alGetError();
    const ALuint name = buffer;
    alDeleteBuffers(1, &name);
    if (alGetError() != AL_NO_ERROR) kept.push_back(buffer);
  }
  discardedBuffers.swap(kept);
}
