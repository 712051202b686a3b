#include "game/screens/custom_records.h"

#include <algorithm>

void CustomRecords::RecordWin(std::uint64_t key, int score, int seconds) {
  auto found = levels.find(key);
  if (found == levels.end()) {
    if (static_cast<int>(levels.size()) >= kCustomRecordsKept) levels.erase(levels.begin());
    levels[key] = CustomRecord{score, seconds};
    return;
  }
  CustomRecord& r = found->second;
  r.bestScore = std::max(r.bestScore, score);
  r.fastestSeconds = std::min(r.fastestSeconds, seconds);
}

const CustomRecord* CustomRecords::Of(std::uint64_t key) const {
  auto found = levels.find(key);
  return found == levels.end() ? nullptr : &found->second;
}
