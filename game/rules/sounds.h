// The sounds the rules ask for. A rule says what happened ("a piece is
// finished"); whoever plays sounds installs a player here. Without one (a run
// with no window, a test of the rules) the requests are simply dropped.
#pragma once

constexpr int kGameSoundCount = 10;

// Entries of the effect table.
enum GameSound {
  SoundClick = 0,
  SoundBuy = 1,
  SoundBuild = 2,
  SoundClickSpare = 3,
  SoundMine = 4,
  SoundIndigens = 5,
  SoundBandits = 6,
};

class GameSoundPlayer {
 public:
  virtual ~GameSoundPlayer() {}
  // Plays entry `sound` of the effect table.
  virtual void Play(int sound) = 0;
};

// The player the game's sounds go to (null: none).
void SetGameSoundPlayer(GameSoundPlayer* player);
// Asks for effect `sound` when the sound switch is on.
void PlayGameSound(int sound);
