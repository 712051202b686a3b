// The native audio device: 33 OpenAL channels (0-31 sound effects, 32 a
// channel for a whole sample played as music), samples decoded whole into one
// OpenAL buffer each, the lazy deletion of buffers that samples gave up, and
// the music streamed from its Ogg Vorbis file (audio/music_stream.h): unlike
// the effects, a piece of music is never decoded whole.
#pragma once

#include <AL/alc.h>

#include <vector>

#include "audio/music_stream.h"
#include "runtime/gc.h"
#include "runtime/string.h"

constexpr int kAudioChannelCount = 33;
// The channel StartMusic and the music operations use.
constexpr int kMusicChannel = 32;

// Channel states.
constexpr int kChannelStopped = 0;
constexpr int kChannelPlaying = 1;
constexpr int kChannelPaused = 2;

// A decoded sound held in one OpenAL buffer.
class gxtkSample : public Object {
 public:
  // The OpenAL buffer name holding the sound, 0 when none.
  unsigned int buffer = 0;

  ~gxtkSample() override;
  // Hands the buffer to discardedBuffers (deleted once OpenAL lets go of it).
  virtual int Release();
};

// Buffer names waiting for deletion: a buffer still attached to a playing or
// paused source cannot be deleted yet.
extern std::vector<unsigned int> discardedBuffers;

// One playback channel: an OpenAL source made on first use and never deleted.
struct AudioChannel {
  unsigned int sourceName = 0;
  gc_ref<gxtkSample> sample;  // the sample last started here
  int playFlags = 0;
  int state = kChannelStopped;
};

class gxtkAudio : public Object {
 public:
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  AudioChannel channels[kAudioChannelCount];
  // The streamed music; the music operations below act on it and on channel 32.
  MusicStreamer music;

  // Opens the default device with one context; failures print one line each
  // and construction always completes (later calls then play nothing).
  // Without openDevice nothing is opened and every call plays nothing.
  explicit gxtkAudio(bool openDevice = true);

  // Keeps the samples of playing and paused channels alive.
  void Mark() override;

  // Pauses the sources of playing channels without changing their states.
  virtual int SuspendOutput();
  // Restarts the sources SuspendOutput paused.
  virtual int ResumeOutput();
  // Fills sample from the sound file at path; answers sample or null.
  virtual gxtkSample* DecodeIntoSample(gxtkSample* sample, const String& path);
  virtual gxtkSample* CreateSample(const String& path);
  // Plays sample on channel c, cutting off what played there; flags != 0 loops.
  virtual int StartChannel(gxtkSample* sample, int c, int flags);
  virtual int HaltChannel(int c);
  virtual int HoldChannel(int c);
  virtual int ContinueChannel(int c);
  // 0 stopped, 1 playing, 2 paused; a channel whose sound ended becomes 0.
  virtual int QueryChannel(int c);
  virtual int SetChannelVolume(int c, float volume);
  // pan is an angle in radians: 0 ahead, positive to the right.
  virtual int SetChannelPan(int c, float pan);
  virtual int SetChannelRate(int c, float rate);
  // Stops the music, then streams the Ogg Vorbis file at path (flags != 0
  // loops it); answers 0, or -1 when the file cannot be read.
  virtual int StartMusic(const String& path, int flags);
  // Fades from the music playing to the file at path over fadeSeconds (a
  // plain start when nothing plays); answers as StartMusic.
  virtual int CrossfadeMusic(const String& path, int flags, float fadeSeconds);
  // Keeps the streamed music's buffers topped up and moves a crossfade on;
  // called once an update with the update's length.
  void UpdateStreams(float seconds);
  virtual int HaltMusic();
  virtual int HoldMusic();
  virtual int ContinueMusic();
  virtual int QueryMusic();
  virtual int SetMusicVolume(float volume);
  // The player's volumes, 0 silent to 1 full: every volume the effect
  // channels (0-31) or the music are given is scaled by its group's gain, so
  // the game's own fades and dips keep their shape at any setting.
  void SetEffectsGain(float gain);
  void SetMusicGain(float gain);
  float EffectsGain() const { return effectsGain_; }
  float MusicGain() const { return musicGain_; }

  // Deletes the discarded buffers OpenAL no longer uses; keeps the others.
  void FlushDiscardedBuffers();

  // Puts decoded PCM frames (format = bytes per sample, 1 or 2) into a new
  // OpenAL buffer held by sample; answers sample. DecodeIntoSample ends here.
  gxtkSample* UploadIntoSample(gxtkSample* sample, const void* data, int length, int channelCount, int format,
                               int rate);

 private:
  // The channel's source, generated when it has none yet.
  unsigned int SourceOf(int c);
  // The gain OpenAL is given for channel c: its own volume times its group's.
  float HeardVolume(int c) const;
  float channelVolume_[kAudioChannelCount] = {};
  float musicVolume_ = 1.0f;
  float effectsGain_ = 1.0f;
  float musicGain_ = 1.0f;
};

// The OpenAL format for format (bytes per sample) and channel count, 0 when none.
int OpenAlFormatOf(int format, int channelCount);
