#include "game/editor/level_file_name.h"

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool KeptAsIs(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

}  // namespace

std::string LevelFileName(const std::string& levelName) {
  // Letters and digits are kept; every run of anything else becomes one '-',
  // never at either end, so "../x" and "x/.." come out as plain "x".
  std::string stem;
  bool gap = false;
  for (char c : levelName) {
    const char lower = LowerAscii(c);
    if (!KeptAsIs(lower)) {
      gap = true;
      continue;
    }
    if (gap && !stem.empty()) {
      if (static_cast<int>(stem.size()) + 1 >= kMaxLevelFileStem) break;
      stem += '-';
    }
    gap = false;
    if (static_cast<int>(stem.size()) >= kMaxLevelFileStem) break;
    stem += lower;
  }
  if (stem.empty()) stem = "level";
  return stem + ".level";
}
