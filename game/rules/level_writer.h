// Writes a level as a level file (level_format.h), the text its reader reads
// back to the same layout. Every cell of the layout must hold at most one
// thing, as every layout the reader accepts does.
#pragma once

#include <string>

#include "game/rules/layouts.h"

std::string WriteLevelText(const LevelLayout& layout);
// The board part alone: 9 lines of 13 letters.
std::string LevelBoardRows(const LevelLayout& layout);
