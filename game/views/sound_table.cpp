#include "game/views/sound_table.h"

#include <algorithm>

#include "game/rules/state.h"
#include "game/views/data_files.h"

gc_global<Array<c_Sound*>> gameSounds;

namespace {

constexpr int kEffectChannel = 0;
constexpr int kLoopChannel = 1;
constexpr int kJingleChannel = 2;
constexpr int kExplosionChannel = 3;
// The countdown's ticks keep to a channel of their own, so a tick never cuts
// off the effect of a click and a click never swallows a tick.
constexpr int kTickChannel = 4;
// The hammers' loops, one channel each, after every other channel in use.
constexpr int kFirstHammerChannel = 5;
constexpr int kLoopForever = 1;

// Each hammer plays the same loop a little faster or slower and from its own
// side, so two or three workers sound like that many people, not one echo.
constexpr float kHammerRates[kMaxHammerLoops] = {1.0f, 0.91f, 1.08f};
constexpr float kHammerPans[kMaxHammerLoops] = {0.0f, -0.5f, 0.5f};

struct SoundEntry {
  GameSound sound;
  const char* file;
  int channel;
};

// Every GameSound, in the enum's order.
constexpr SoundEntry kSoundEntries[kGameSoundCount] = {
    {SoundClick, "sounds/click2.wav", kEffectChannel},
    {SoundBuy, "sounds/buy.wav", kEffectChannel},
    {SoundBuild, "sounds/build.wav", kEffectChannel},
    {SoundClickSpare, "sounds/click2.wav", kEffectChannel},
    {SoundMine, "sounds/mine1.wav", kEffectChannel},
    {SoundIndigens, "sounds/indigen.wav", kEffectChannel},
    {SoundBandits, "sounds/bandits.wav", kEffectChannel},
    {SoundPieceFinished, "sounds/finished.wav", kEffectChannel},
    {SoundTrainLeaves, "sounds/whistle.wav", kJingleChannel},
    {SoundTrainRunning, "sounds/train_loop.wav", kLoopChannel},
    {SoundGold, "sounds/gold.wav", kEffectChannel},
    {SoundStonesCleared, "sounds/stones.wav", kEffectChannel},
    {SoundEnemyHit, "sounds/hit.wav", kEffectChannel},
    {SoundRefused, "sounds/refused.wav", kEffectChannel},
    {SoundLevelWon, "sounds/won.wav", kJingleChannel},
    {SoundLevelLost, "sounds/lost.wav", kJingleChannel},
    {SoundExplosion, "sounds/explosion.wav", kExplosionChannel},
    {SoundTick, "sounds/tick.wav", kTickChannel},
    {SoundTally, "sounds/tally.wav", kEffectChannel},
    {SoundStar, "sounds/star.wav", kJingleChannel},
    {SoundLineComplete, "sounds/line_complete.wav", kJingleChannel},
    {SoundHammer, "sounds/hammer.wav", kFirstHammerChannel},
};

constexpr bool EntriesInEnumOrder() {
  for (int i = 0; i < kGameSoundCount; ++i) {
    if (kSoundEntries[i].sound != i) return false;
  }
  return true;
}
static_assert(EntriesInEnumOrder(), "the sound table lists every GameSound in order");

bool KnownSound(int sound) { return sound >= 0 && sound < kGameSoundCount; }

c_Sound* SampleOf(int sound) {
  if (!KnownSound(sound) || sound >= gameSounds.Length()) return nullptr;
  c_Sound* entry = gameSounds[sound];
  return entry != nullptr && entry->sample.get() != nullptr ? entry : nullptr;
}

class SoundTablePlayer final : public GameSoundPlayer {
 public:
  // An entry without a sample (none loaded, or no audio device) is skipped.
  void Play(int sound) override {
    if (c_Sound* entry = SampleOf(sound)) StartSound(entry, ChannelOfSound(sound), 0);
  }
};

SoundTablePlayer tablePlayer;
bool loopStarted = false;
int hammersStarted = 0;

}  // namespace

int ChannelOfSound(int sound) { return KnownSound(sound) ? kSoundEntries[sound].channel : kEffectChannel; }

const char* FileOfSound(int sound) { return KnownSound(sound) ? kSoundEntries[sound].file : nullptr; }

void LoadGameSounds() {
  Array<c_Sound*> sounds(kGameSoundCount);
  for (int i = 0; i < kGameSoundCount; ++i) sounds[i] = LoadGameSound(String(kSoundEntries[i].file));
  gameSounds = sounds;
  loopStarted = false;
  hammersStarted = 0;
  SetGameSoundPlayer(&tablePlayer);
}

void KeepTrainLoop(bool running) {
  const bool wanted = running && gameState.settings.soundOn == 1;
  if (wanted == loopStarted) return;
  loopStarted = wanted;
  if (!wanted) {
    StopSoundChannel(kLoopChannel);
  } else if (c_Sound* loop = SampleOf(SoundTrainRunning)) {
    StartSound(loop, kLoopChannel, kLoopForever);
  }
}

void KeepHammerLoops(int workersAtWork) {
  const int wanted = gameState.settings.soundOn == 1 ? std::clamp(workersAtWork, 0, kMaxHammerLoops) : 0;
  c_Sound* loop = SampleOf(SoundHammer);
  for (; hammersStarted < wanted && loop != nullptr; ++hammersStarted) {
    const int channel = kFirstHammerChannel + hammersStarted;
    SetSoundChannelShape(channel, kHammerPans[hammersStarted], kHammerRates[hammersStarted]);
    StartSound(loop, channel, kLoopForever);
  }
  for (; hammersStarted > wanted; --hammersStarted) StopSoundChannel(kFirstHammerChannel + hammersStarted - 1);
}

int HammerLoopsPlaying() { return hammersStarted; }

bool JinglePlaying() { return SoundChannelPlaying(kJingleChannel); }
