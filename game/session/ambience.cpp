#include "game/session/ambience.h"

#include <algorithm>

#include "audio/sound.h"
#include "game/rules/board.h"
#include "game/rules/sounds.h"
#include "game/rules/match.h"
#include "game/views/data_files.h"
#include "game/views/sound_table.h"

AmbienceScene LevelScene(const Match& match, bool panelShown) {
  const c_cLevel& level = *match.board;
  const LevelRun& run = match.run;
  const bool paused = match.flags.gamePaused == 1;
  AmbienceScene scene;
  scene.inLevel = true;
  scene.panelShown = panelShown;
  scene.trainRunning = run.trainRunning == 1 && !paused;
  scene.countingDown = !panelShown && run.trainRunning == 0 && run.departNow == 0 &&
                       match.flags.tutorialShowing == 0;
  // Once the train has gone the status line's clock reads 0; what the music
  // follows then is what was left when it went (-1: the countdown ran out).
  const bool departed = run.trainRunning == 1 || run.trainArrived == 1 || run.trainCrashed == 1;
  scene.secondsLeft = departed && run.departSecondsLeft >= 0 ? run.departSecondsLeft : run.departure.secondsLeft;
  if (!panelShown) {
    for (int i = 0; i < level.railTiles.Length(); ++i) {
      const c_cRailTile* job = level.railTiles[i];
      if (job->active == 1 && job->building == 1) ++scene.workersAtWork;
    }
  }
  return scene;
}

const char* MusicForScene(const AmbienceScene& scene) {
  if (!scene.inLevel) return kMusicFile;
  // A level that reached its last minute keeps the tense piece until it ends,
  // and so does a train running late (one that left because the countdown
  // ran out).
  if (scene.secondsLeft <= kTensionSecondsLeft) return kTensionMusicFile;
  return kLevelMusicFile;
}

void Ambience::Update(const AmbienceScene& scene) {
  KeepTrainLoop(scene.trainRunning);
  KeepHammerLoops(scene.workersAtWork);
  TickCountdown(scene);
  KeepMusicPiece(scene);
  KeepMusicLevel(scene.panelShown);
}

void Ambience::KeepMusicPiece(const AmbienceScene& scene) {
  if (gameState.settings.musicOn != 1 || !AudioWorks()) return;
  const String piece(MusicForScene(scene));
  if (MusicFileOn(piece)) return;
  // From silence (start-up, the music switched on) the piece starts at once.
  const float fade = MusicPlaying() ? kMusicCrossfadeSeconds : 0.0f;
  if (CrossfadeMusicFile(piece, kMusicLoop, fade) != 0) StopForMissingData(piece);
}

void Ambience::KeepMusicLevel(bool panelShown) {
  const float target = panelShown || JinglePlaying() ? kDippedMusicVolume : kMusicVolume;
  if (musicLevel == target) return;
  musicLevel = musicLevel < target ? std::min(target, musicLevel + kMusicFadeStep)
                                   : std::max(target, musicLevel - kMusicFadeStep);
  SetMusicLevel(musicLevel);
}

void Ambience::TickCountdown(const AmbienceScene& scene) {
  const int second = scene.secondsLeft;
  // A new countdown (a level started again) may tick its seconds afresh.
  if (second > kTickingSecondsLeft) lastTick = -1;
  if (!scene.countingDown || second < 1 || second > kTickingSecondsLeft || second == lastTick) return;
  lastTick = second;
  PlayGameSound(SoundTick);
}
