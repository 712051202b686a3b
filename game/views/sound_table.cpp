#include "game/views/sound_table.h"

#include "game/views/data_files.h"

gc_global<Array<c_Sound*>> gameSounds;

namespace {

const char* const kGameSoundFiles[] = {
    "sounds/click2.wav", "sounds/buy.wav",     "sounds/build.wav",   "sounds/click2.wav",
    "sounds/mine1.wav",  "sounds/indigen.wav", "sounds/bandits.wav",
};

class SoundTablePlayer final : public GameSoundPlayer {
 public:
  // An entry without a sample (none loaded, or no audio device) is skipped.
  void Play(int sound) override {
    if (sound < 0 || sound >= gameSounds.Length()) return;
    c_Sound* entry = gameSounds[sound];
    if (entry == nullptr || entry->sample.get() == nullptr) return;
    StartSound(entry, 0, 0);
  }
};

SoundTablePlayer tablePlayer;

}  // namespace

void LoadGameSounds() {
  Array<c_Sound*> sounds(kGameSoundCount);
  for (int i = 0; i < kGameSoundCount; ++i) sounds[i] = new c_Sound();
  int index = 0;
  for (const char* file : kGameSoundFiles) sounds[index++] = LoadGameSound(String(file));
  gameSounds = sounds;
  SetGameSoundPlayer(&tablePlayer);
}
