#include "game/rules/level_names.h"

#include "game/rules/state.h"

namespace {

const char* const kLevelNames[kLevelCount] = {
    "First Station", "Iron Iron",  "First Attack",   "They are Here", "No Way Back",
    "Wild West",     "Need Gold",  "Iron Monster",   "Turn Here",     "Dead Sand",
    "Outside is War", "Need Iron", "Dead Valley",    "Almost There",  "Last Station",
};

}  // namespace

const char* LevelName(int level) {
  if (level < 1 || level > kLevelCount) return "";
  return kLevelNames[level - 1];
}
