// The player's progress kept in the save file "trandle.sav" of the embedded
// file system (and so in the application-state file).
//
// A save that was damaged or edited by hand never stops the game: what is
// loaded is brought into range, and there is always a level to play.
#pragma once

#include "game/rules/progress.h"
#include "runtime/string.h"

constexpr const char* kSaveFileName = "trandle.sav";
// currentLevel, totalScore, totalGold, ownedWorkers, gameCompleted,
// progressSpare, then the 15 level states.
constexpr int kSaveValueCount = 21;
// Beside it: what the totals have counted of each level, score then gold,
// level by level (30 values; -1 where not known).
constexpr const char* kCountedFileName = "counted.sav";

// A new game, then whatever the save file holds, brought into range. A state
// file that holds no save is first kept aside (see KeepUnreadableStateAside).
void LoadProgress();
// Writes the 21 values and stores the state file.
void SaveProgress();
// A state file that exists but holds no readable save is renamed (to the
// first free name of ".tarvexstate.damaged", ".tarvexstate.damaged-2", ...)
// before a save could overwrite it, with a line on standard output. Answers
// the name it was kept under, or "" when nothing was kept aside.
String KeepUnreadableStateAside();
