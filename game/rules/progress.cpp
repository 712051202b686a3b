#include "game/rules/progress.h"

#include "game/rules/state.h"

namespace {

// Far above any score a game can reach, and far enough below the int limit
// that a won level's score added to a hand-edited total cannot overflow.
constexpr int kMaxTotal = 1000000000;

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

bool AnyLevelAvailable() {
  for (int i = 0; i < kLevelCount; ++i) {
    if (levelStates[i] == LevelAvailable) return true;
  }
  return false;
}

}  // namespace

void ResetProgress() {
  Progress progress;
  progress.currentLevel = 1;
  progress.ownedWorkers = kNewGameWorkers;
  gameState.progress = progress;
  Array<int> states(kLevelCount);
  states[0] = LevelAvailable;
  levelStates = states;
  LevelRun run;
  run.freeWorkers = kNewGameWorkers;
  gameState.run = run;
}

void CompleteLevel() {
  Progress& progress = gameState.progress;
  progress.totalScore += gameState.run.levelScore;
  progress.totalGold += gameState.run.levelGold;
  const int n = progress.currentLevel;
  if (n >= 1 && n < kLevelCount) {
    levelStates[n - 1] = LevelDone;
    gameState.progress.currentLevel = n + 1;
    levelStates[n] = LevelAvailable;
  } else if (n == kLevelCount) {
    levelStates[kLevelCount - 1] = LevelDone;
    gameState.progress.gameCompleted = 1;
  }
}

void BringProgressIntoRange() {
  gameState.progress.currentLevel = Clamp(gameState.progress.currentLevel, 1, kLevelCount);
  gameState.progress.ownedWorkers = Clamp(gameState.progress.ownedWorkers, kNewGameWorkers, kMaxWorkers);
  gameState.progress.totalGold = Clamp(gameState.progress.totalGold, 0, kMaxTotal);
  gameState.progress.totalScore = Clamp(gameState.progress.totalScore, 0, kMaxTotal);
  gameState.progress.gameCompleted = gameState.progress.gameCompleted == 1 ? 1 : 0;
  for (int i = 0; i < kLevelCount; ++i) {
    if (levelStates[i] < LevelLocked || levelStates[i] > LevelAvailable) levelStates[i] = LevelLocked;
  }
  if (gameState.progress.gameCompleted == 0 && !AnyLevelAvailable()) levelStates[gameState.progress.currentLevel - 1] = LevelAvailable;
}

