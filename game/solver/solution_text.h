// A solved level as text for a player: the board with the track drawn on it,
// the track's cost, and the schedule to follow.
#pragma once

#include <string>

#include "game/solver/solution.h"

// The board as 9 lines of 13 characters, as the game's --print-level draws
// it, with the track's pieces drawn over it: - | for straights, / and \ for
// curves (/ joins E-S or W-N, \ joins W-S or E-N), + for a crossing.
std::string TrackBoardText(const LevelSolution& s);
// The board alone, exactly as --print-level draws a level laid out.
std::string BoardModelText(const BoardModel& board);
// A time of play as minutes and seconds, "3:42" (seconds cut, not rounded),
// as arrivals are shown to the player.
std::string MinutesSeconds(int ms);
// The legend of TrackBoardText.
extern const char* const kTrackLegend;
// Everything: header, board, cost, iron left, times and the schedule.
std::string SolutionText(const LevelSolution& s, int workers);
