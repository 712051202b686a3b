// The --print-level option: a level's board as laid out at its start, as
// text, without a window, sound or the state file.
#pragma once

#include <string>

// The legend of the board text, one line per character.
extern const char* const kBoardLegend;

// Level n's board at its start (n in 1..15), or "" for another n.
std::string PrintLevelText(int n);
