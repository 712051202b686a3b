// The level's share of a playing update, after clicks and requests: the board,
// the train, the crash explosion, gold and the tunnel. The game runs it every
// playing update; tests run it to move a level on the fake clock.
#pragma once

class c_cLevel;
class c_cTrain;

void RunLevelStep(c_cLevel* level, c_cTrain* train);
