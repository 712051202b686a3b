// The won panel's count-up: the send-off bonus, the gold and the score each
// count up from 0 with a tally sound as it lands, then the stars appear one
// by one, each with its own sound, then "New best" when a record fell. It
// starts in the update the train arrives and follows the game's clock; the
// panel's buttons answer throughout (the count-up is only shown).
#pragma once

#include "game/generator/daily_level.h"
#include "game/rules/state.h"
#include "game/screens/level_records.h"

enum WonLine { WonLineBonus = 0, WonLineGold, WonLineScore, kWonLineCount };

constexpr int kTallyLineMs = 600;   // one line counting up
constexpr int kTallyPauseMs = 150;  // between lines
constexpr int kStarStepMs = 350;    // between stars

struct WonTally {
  bool started = false;
  int startMs = 0;
  int values[kWonLineCount] = {};
  int stars = 0;
  bool newBest = false;
  // What the panel's time lines tell: -1 when the train left on its own;
  // -1 when the arrival's time is not known (a demonstration's).
  int departSecondsLeft = -1;
  int arrivalSeconds = -1;
  // A daily line's win: its par and the iron the run spent, shown in place
  // of the stars (a par of 0 iron: none).
  Par par;
  int ironSpent = 0;
  // Lines and stars whose sound has played.
  int linesSounded = 0;
  int starsSounded = 0;

  // A line's value as shown at the time: counting up, then whole.
  int Shown(int line, int nowMs) const;
  int StarsShown(int nowMs) const;
  bool NewBestShown(int nowMs) const;
  // Plays the sounds of what came due since the last call.
  void Follow(int nowMs);
};

// Starts the tally in the update the train arrives: the run's figures, its
// stars by the level's cheapest track, and whether it breaks the level's
// record as it stood. Nothing before the arrival or once started.
// A run's figures shown whole at once, without stars or times: the end of a
// demonstration, which counts for nothing.
WonTally WholeTallyOf(const LevelRun& run, int nowMs);

void StartWonTallyOnArrival(WonTally& tally, const LevelRun& run, int arrivalSeconds, const LevelRecord& record,
                            int nowMs);
// The same for a daily line's win: no stars or records, the day's par instead.
void StartDailyTallyOnArrival(WonTally& tally, const LevelRun& run, int arrivalSeconds, Par par, int nowMs);
