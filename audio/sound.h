// What the application uses for sound: c_Sound objects, the music functions
// and the framework's audio device.
#pragma once

#include "audio/audio.h"
#include "runtime/gc.h"
#include "runtime/string.h"

// A loaded sound effect.
class c_Sound : public Object {
 public:
  gc_ref<gxtkSample> sample;

  c_Sound() = default;
  explicit c_Sound(gxtkSample* loaded) : sample(loaded) {}
  void Mark() override { sample.Mark(); }
};

// The audio device created at start-up by the framework (null before).
extern gc_global<gxtkAudio*> currentAudioDevice;

// Loads a data-relative sound file; null when it cannot be loaded.
c_Sound* CreateSound(const String& path);
// Plays sound on channel; flags != 0 loops. A null or empty sound does nothing.
void StartSound(c_Sound* sound, int channel, int flags);
// Stops whatever plays on channel (nothing without a device).
void StopSoundChannel(int channel);
// Where a channel's sound comes from (pan: an angle in radians, 0 ahead) and
// how fast it plays (1 as recorded); kept until set again.
void SetSoundChannelShape(int channel, float pan, float rate);
// Whether a sound still plays on channel (never without a device).
bool SoundChannelPlaying(int channel);
// Starts the data-relative music file on the music channel; 0, or -1 when it
// cannot be loaded (the music channel is then stopped).
int StartMusicFile(const String& path, int flags);
// Fades from the music playing to the data-relative file over fadeSeconds;
// answers as StartMusicFile.
int CrossfadeMusicFile(const String& path, int flags, float fadeSeconds);
void StopMusicPlayback();
// Whether any music plays (or is paused) now.
bool MusicPlaying();
// Whether the data-relative file is the music playing (or fading in) now.
bool MusicFileOn(const String& path);
void SetMusicLevel(float volume);
