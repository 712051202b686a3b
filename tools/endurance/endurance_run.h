// Hours of the real game in one process, headless, on a clock that moves as
// fast as the game updates: the host's own loop over a window system of its
// own, with every click and key going through the host's input callbacks.
// Blocks of play alternate between the solver's schedules (levels won, lost
// on purpose, restarted from the pause panel, left for the map and the menu)
// and a seeded random player who clicks anywhere and presses keys. After every
// update the game's invariants are checked; every game minute the collector's
// live bytes and the resident memory are sampled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct EnduranceOptions {
  double gameMinutes = 480;        // game time to play
  double phaseMinutes = 10;        // length of each solver or random block
  std::uint32_t seed = 1;          // the random player, the solver's choices and the calendar
  std::string stateFolder;         // where the state file is kept (must exist; ends in "/")
  double sampleSeconds = 60;       // game time between samples
  bool progress = false;           // a line on standard error every game hour
};

// A sample ends with full collections, so that it sees what the game still
// holds; the collector's own counter before them also counts the garbage it
// has not reached yet (it runs a full cycle only every 8 MB allocated).
struct EnduranceSample {
  double gameMinutes;
  long long liveBytes;       // reachable after full collections
  int liveObjects;
  long long counterBytes;    // the collector's live-bytes counter before them
  long long residentBytes;   // resident set of the process
  int screen;
};

struct EnduranceReport {
  std::string violation;       // the first broken invariant, "" when none
  double violationAtMinutes = 0;
  long long updates = 0;
  double gameMinutes = 0;      // reached
  double realSeconds = 0;
  double longestCollectorStepMs = 0;
  double longestUpdateMs = 0;  // the update with its collector step (and a save's disk sync)
  double longestFullCollectionMs = 0;  // a sample's full collections
  std::vector<EnduranceSample> samples;
  // What was played (as seen after the updates).
  int levelsStarted = 0, levelsWon = 0, levelsLost = 0, gamesCompleted = 0, highestLevelWon = 0;
  int wonByLevel[15] = {}, lostByLevel[15] = {};
  int solverRestarts = 0, solverQuits = 0, solverLosses = 0, solverMenuVisits = 0, workersHired = 0;
  long long randomClicks = 0, randomKeys = 0;
  // The state file at the end.
  std::string stateText;
  std::string stateProblem;    // "" when it is whole
  int saveValues[21] = {};
};

// Plays as the options say and answers what happened. Creates the game and
// its host itself and leaves the process's game globals reset afterwards.
EnduranceReport RunEndurance(const EnduranceOptions& options);

// "" when the state text parses back into trandle.sav with its 21 values in
// range (the values are then copied out), else what is wrong.
std::string CheckStateText(const std::string& text, int values[21]);

// Whether a series stays flat: its maximum over the second half is not above
// its maximum over the first half by more than margin (a fraction) plus slack.
bool StaysFlat(const std::vector<long long>& series, double margin, long long slack);
