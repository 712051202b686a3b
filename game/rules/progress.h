// The player's progress: which levels are done, the level to play, the
// totals and the workers owned, kept in the save file "trandle.sav" of the
// embedded file system (and so in the application-state file).
//
// A save that was damaged or edited by hand never stops the game: what is
// loaded is brought into range, and there is always a level to play.
#pragma once

#include "runtime/string.h"

enum LevelState { LevelLocked = 0, LevelDone = 1, LevelAvailable = 2 };

constexpr const char* kSaveFileName = "trandle.sav";
// currentLevel, totalScore, totalGold, ownedWorkers, gameCompleted,
// progressSpare, then the 15 level states.
constexpr int kSaveValueCount = 21;

// The new-game values (level 1 available, five workers, nothing won).
void ResetProgress();
// A new game, then whatever the save file holds, brought into range. A state
// file that holds no save is first kept aside (see KeepUnreadableStateAside).
void LoadProgress();
// Writes the 21 values and stores the state file.
void SaveProgress();
// The current level is won: its score and gold join the totals, and it is done
// and the next one available, or, after the last, the game is completed
// (currentLevel stays 15).
void CompleteLevel();

// Brings loaded values into the ranges the game relies on: currentLevel
// 1..15, ownedWorkers 5..15, totals 0..10^9, gameCompleted 0 or 1, level
// states 0..2 (else locked); and when no level is available and the game is
// not completed, the current level becomes available.
void BringProgressIntoRange();

// A state file that exists but holds no readable save is renamed (to the
// first free name of ".tarvexstate.damaged", ".tarvexstate.damaged-2", ...)
// before a save could overwrite it, with a line on standard output. Answers
// the name it was kept under, or "" when nothing was kept aside.
String KeepUnreadableStateAside();
