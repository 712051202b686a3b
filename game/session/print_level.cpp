#include "game/session/print_level.h"

#include "game/rules/board.h"
#include "game/rules/layouts.h"
#include "game/rules/match.h"

const char* const kBoardLegend =
    "  S start cell        F finish cell       T tunnel end\n"
    "  M the mine's 2x2    o stones            # scenery\n"
    "  $ gold              . free\n";

std::string PrintLevelText(int n) {
  if (n < 1 || n > kLevelCount) return std::string();
  // Laying out needs only a match of its own, never a picture.
  Match* match = new Match();
  LayOutLevel(*match, n, false);
  return BoardText(match->board);
}
