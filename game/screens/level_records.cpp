#include "game/screens/level_records.h"

#include <algorithm>

void LevelRecords::RecordWin(int levelNumber, int score, int seconds, bool hintUsed) {
  if (levelNumber < 1 || levelNumber > kLevelCount) return;
  LevelRecord& r = levels[levelNumber - 1];
  r.bestScore = r.won ? std::max(r.bestScore, score) : score;
  r.fastestSeconds = r.won ? std::min(r.fastestSeconds, seconds) : seconds;
  r.wonWithoutHint = r.wonWithoutHint || !hintUsed;
  r.won = true;
}

std::string RecordText(const LevelRecord& record) {
  if (!record.won) return std::string();
  const int seconds = record.fastestSeconds % 60;
  return "Best: " + std::to_string(record.bestScore) + " in " + std::to_string(record.fastestSeconds / 60) +
         (seconds < 10 ? ":0" : ":") + std::to_string(seconds);
}
