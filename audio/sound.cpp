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

bool SoundChannelPlaying(int channel) {
  gxtkAudio* audio = currentAudioDevice;
  return audio != nullptr && audio->QueryChannel(channel) == kChannelPlaying;
}

int StartMusicFile(const String& path, int flags) {
  gxtkAudio* audio = currentAudioDevice;
  if (audio == nullptr) return -1;
  return audio->StartMusic(ResolveDataPath(path), flags);
}

void StopMusicPlayback() {
  gxtkAudio* audio = currentAudioDevice;
  if (audio != nullptr) audio->HaltMusic();
}

void SetMusicLevel(float volume) {
  gxtkAudio* audio = currentAudioDevice;
  if (audio != nullptr) audio->SetMusicVolume(volume);
}
