#include "game/session/ambience.h"

#include <algorithm>

#include "audio/sound.h"
#include "game/views/sound_table.h"

void Ambience::Update(bool trainRunning, bool panelShown) {
  KeepTrainLoop(trainRunning);
  const float target = panelShown || JinglePlaying() ? kDippedMusicVolume : kMusicVolume;
  if (musicLevel == target) return;
  musicLevel = musicLevel < target ? std::min(target, musicLevel + kMusicFadeStep)
                                   : std::max(target, musicLevel - kMusicFadeStep);
  SetMusicLevel(musicLevel);
}
