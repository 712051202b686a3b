// Reads a level file (level_format.h) into a layout. A file with a fault is
// refused whole with one line, "FILE:LINE:COLUMN: what is wrong", and the
// layout given is left as it was: nothing of a half-read level is kept.
#pragma once

#include <string>

#include "game/rules/layouts.h"

// The text of a level file; `fileName` only names it in the error line.
[[nodiscard]] bool ReadLevelText(const std::string& text, const std::string& fileName, LevelLayout& out,
                                 std::string& error);
// The level file at `path`.
[[nodiscard]] bool LoadLevelFile(const std::string& path, LevelLayout& out, std::string& error);
