// The options that work on a level file without a window: --print-level FILE
// draws its board as --print-level N draws a built-in level, and
// --check-level FILE reads it and asks the solver whether a new game's
// workers can win it. Each returns the program's exit status and writes what
// it reports to `out` (the board, the verdict) and `err` (the reader's line).
#pragma once

#include <string>

constexpr int kBadLevelFileStatus = 1;

int PrintLevelFile(const std::string& path, std::string& out, std::string& err);
int CheckLevelFile(const std::string& path, std::string& out, std::string& err);
