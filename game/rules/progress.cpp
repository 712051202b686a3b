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
}

namespace {

// The first rules: the current level is won whatever level was played, and
// the next one is made available whatever it was.
void CompleteCurrentLevel(const LevelRun& run) {
  Progress& progress = gameState.progress;
  progress.totalScore += run.levelScore;
  progress.totalGold += run.levelGold;
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

int AtLeastZero(int value) { return value > 0 ? value : 0; }

// A done level played again: the totals take what the run beats the counted
// score and gold by, and the counted values rise to the run's. Nothing opens
// or closes.
void CountReplayedLevel(const LevelRun& run, int index) {
  Progress& progress = gameState.progress;
  int& score = progress.countedScore[index];
  int& gold = progress.countedGold[index];
  // Not known (an older save): nothing is added, and the run becomes the mark.
  if (score >= 0) progress.totalScore += AtLeastZero(run.levelScore - score);
  if (gold >= 0) progress.totalGold += AtLeastZero(run.levelGold - gold);
  score = score > run.levelScore ? score : run.levelScore;
  gold = gold > run.levelGold ? gold : run.levelGold;
}

// A level won for the first time: all of its score and gold count, it is
// done, and the level after it opens if it was locked.
void CountFirstWin(const LevelRun& run, int number) {
  Progress& progress = gameState.progress;
  const int index = number - 1;
  progress.totalScore += run.levelScore;
  progress.totalGold += run.levelGold;
  progress.countedScore[index] = run.levelScore;
  progress.countedGold[index] = run.levelGold;
  levelStates[index] = LevelDone;
  if (number == kLevelCount) {
    progress.gameCompleted = 1;
    return;
  }
  if (levelStates[number] == LevelLocked) levelStates[number] = LevelAvailable;
  if (progress.currentLevel == number) progress.currentLevel = number + 1;
}

}  // namespace

bool AnyLevelDone() {
  for (int i = 0; i < kLevelCount; ++i) {
    if (levelStates[i] == LevelDone) return true;
  }
  return gameState.progress.gameCompleted == 1;
}

void CompleteLevel(const LevelRun& run) {
  if (!MendedRules()) {
    CompleteCurrentLevel(run);
    return;
  }
  const int number = run.levelNumber;
  if (number < 1 || number > kLevelCount) return;
  if (levelStates[number - 1] == LevelDone) {
    CountReplayedLevel(run, number - 1);
  } else {
    CountFirstWin(run, number);
  }
}

void BringProgressIntoRange() {
  gameState.progress.currentLevel = Clamp(gameState.progress.currentLevel, 1, kLevelCount);
  gameState.progress.ownedWorkers = Clamp(gameState.progress.ownedWorkers, kNewGameWorkers, kMaxWorkers);
  gameState.progress.totalGold = Clamp(gameState.progress.totalGold, 0, kMaxTotal);
  gameState.progress.totalScore = Clamp(gameState.progress.totalScore, 0, kMaxTotal);
  gameState.progress.gameCompleted = gameState.progress.gameCompleted == 1 ? 1 : 0;
  for (int i = 0; i < kLevelCount; ++i) {
    gameState.progress.countedScore[i] = Clamp(gameState.progress.countedScore[i], -1, kMaxTotal);
    gameState.progress.countedGold[i] = Clamp(gameState.progress.countedGold[i], -1, kMaxTotal);
  }
  for (int i = 0; i < kLevelCount; ++i) {
    if (levelStates[i] < LevelLocked || levelStates[i] > LevelAvailable) levelStates[i] = LevelLocked;
  }
  if (gameState.progress.gameCompleted == 0 && !AnyLevelAvailable()) levelStates[gameState.progress.currentLevel - 1] = LevelAvailable;
}

