// The sounds the rules ask for. A rule says what happened ("a piece is
// finished"); whoever plays sounds installs a player here. Without one (a run
// with no window, a test of the rules) the requests are simply dropped.
#pragma once

// Entries of the effect table: what happened. Which file each plays, and on
// which channel, is the sound table's choice.
enum GameSound {
  SoundClick = 0,
  SoundBuy = 1,
  SoundBuild = 2,
  SoundClickSpare = 3,
  SoundMine = 4,
  SoundIndigens = 5,
  SoundBandits = 6,
  SoundPieceFinished = 7,
  SoundTrainLeaves = 8,
  // The loop while the train runs; the session starts and stops it.
  SoundTrainRunning = 9,
  SoundGold = 10,
  SoundStonesCleared = 11,
  SoundEnemyHit = 12,
  SoundRefused = 13,
  SoundLevelWon = 14,
  SoundLevelLost = 15,
  SoundExplosion = 16,
  // The countdown's last ten seconds, one soft tick each.
  SoundTick = 17,
  // A line of the won panel's tally counting up.
  SoundTally = 18,
  // A star of the won panel, or a record that falls.
  SoundStar = 19,
  // The whole line joins START to FINISH.
  SoundLineComplete = 20,
  // A worker hammering at a piece; the session keeps one loop per worker at
  // work, a few at most.
  SoundHammer = 21,
};
constexpr int kGameSoundCount = 22;

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
