#include "audio/sound.h"

#include "host/files.h"

gc_global<gxtkAudio*> currentAudioDevice;

c_Sound* CreateSound(const String& path) {
  gxtkAudio* audio = currentAudioDevice;
  if (audio == nullptr) return nullptr;
  gxtkSample* sample = audio->CreateSample(ResolveDataPath(path));
  if (sample == nullptr) return nullptr;
  return new c_Sound(sample);
}

void StartSound(c_Sound* sound, int channel, int flags) {
  gxtkAudio* audio = currentAudioDevice;
  if (audio == nullptr || sound == nullptr || sound->sample == nullptr) return;
  audio->StartChannel(sound->sample, channel, flags);
}

void StopSoundChannel(int channel) {
  gxtkAudio* audio = currentAudioDevice;
  if (audio != nullptr) audio->HaltChannel(channel);
}

void SetSoundChannelShape(int channel, float pan, float rate) {
  gxtkAudio* audio = currentAudioDevice;
  if (audio == nullptr) return;
  audio->SetChannelPan(channel, pan);
  audio->SetChannelRate(channel, rate);
}

bool SoundChannelPlaying(int channel) {
  gxtkAudio* audio = currentAudioDevice;
  return audio != nullptr && audio->QueryChannel(channel) == kChannelPlaying;
}

int StartMusicFile(const String& path, int flags) {
  gxtkAudio* audio = currentAudioDevice;
  if (audio == nullptr) return -1;
  return audio->StartMusic(ResolveDataPath(path), flags);
}

int CrossfadeMusicFile(const String& path, int flags, float fadeSeconds) {
  gxtkAudio* audio = currentAudioDevice;
  if (audio == nullptr) return -1;
  return audio->CrossfadeMusic(ResolveDataPath(path), flags, fadeSeconds);
}

void StopMusicPlayback() {
  gxtkAudio* audio = currentAudioDevice;
  if (audio != nullptr) audio->HaltMusic();
}

bool MusicPlaying() {
  gxtkAudio* audio = currentAudioDevice;
  return audio != nullptr && audio->QueryMusic() != kChannelStopped;
}

bool MusicFileOn(const String& path) {
  gxtkAudio* audio = currentAudioDevice;
  return audio != nullptr && audio->music.File() == ResolveDataPath(path).ToUtf8() &&
         audio->QueryMusic() != kChannelStopped;
}

void SetMusicLevel(float volume) {
  gxtkAudio* audio = currentAudioDevice;
  if (audio != nullptr) audio->SetMusicVolume(volume);
}
