#include "game/session/print_level.h"

#include "game/rules/board.h"
#include "game/rules/layouts.h"
#include "game/rules/state.h"

const char* const kBoardLegend =
    "  S start cell        F finish cell       T tunnel end\n"
    "  M the mine's 2x2    o stones            # scenery\n"
    "  $ gold              . free\n";

std::string PrintLevelText(int n) {
  if (n < 1 || n > kLevelCount) return std::string();
  // Laying out needs only the pools, never a picture, and changes nothing the
  // program keeps afterwards.
  const int savedLevel = gameState.progress.currentLevel;
  c_cLevel* level = new c_cLevel();
  level->CreateLevelPools();
  gameState.progress.currentLevel = n;
  LayOutLevel(level);
  gameState.progress.currentLevel = savedLevel;
  return BoardText(level);
}
