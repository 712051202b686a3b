// The player's progress as the rules move it on: a new game, a won level,
// and the ranges a loaded save is brought into (session/save_file keeps it
// in the save file "trandle.sav").
#pragma once

struct LevelRun;

enum LevelState { LevelLocked = 0, LevelDone = 1, LevelAvailable = 2 };

// The new-game values (level 1 available, five workers, nothing won).
void ResetProgress();
// The level played is won. Won for the first time, its score and gold join
// the totals, it is done and the next one opens, or, after the last, the game
// is completed (currentLevel stays 15). A done level won again adds to the
// totals only what it beats the level's counted score and gold by, and opens
// or closes nothing. (The first rules: the current level is won, whichever.)
void CompleteLevel(const LevelRun& run);
// Whether the player has won anything yet (else the menu's Continue would
// only begin a new game).
bool AnyLevelDone();

// Brings loaded values into the ranges the game relies on: currentLevel
// 1..15, ownedWorkers 5..15, totals 0..10^9, gameCompleted 0 or 1, level
// states 0..2 (else locked); and when no level is available and the game is
// not completed, the current level becomes available.
void BringProgressIntoRange();
