// The level's share of a playing update, after clicks and requests: the board,
// the train, the crash explosion, gold and the tunnel. The game runs it every
// playing update; tests run it to move a level on the fake clock.
#pragma once

#include "game/rules/feedback.h"

class c_cLevel;
class c_cTrain;
class Match;

void RunLevelStep(Match& match);

// What the train, standing in its cell, ran into: the cell it was heading
// for as the level holds it now (the cell itself at the board's edge).
CrashCause CrashCauseOf(const c_cLevel& level, const c_cTrain& train);
