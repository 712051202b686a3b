#include "game/screens/level_records.h"

#include <algorithm>

void LevelRecords::RecordWin(int levelNumber, int score, int seconds, bool hintUsed, int stars) {
  if (levelNumber < 1 || levelNumber > kLevelCount) return;
  LevelRecord& r = levels[levelNumber - 1];
  r.bestScore = r.won ? std::max(r.bestScore, score) : score;
  r.fastestSeconds = r.won ? std::min(r.fastestSeconds, seconds) : seconds;
  r.wonWithoutHint = r.wonWithoutHint || !hintUsed;
  r.stars = std::clamp(std::max(r.stars, stars), 1, kMostStars);
  r.won = true;
}

std::string MinutesText(int seconds) {
  const int s = seconds % 60;
  return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

std::string RecordText(const LevelRecord& record) {
  if (!record.won) return std::string();
  return "Best: " + std::to_string(record.bestScore) + " in " + MinutesText(record.fastestSeconds);
}

int StarsForWin(int ironSpent, int cheapestIron) {
  if (ironSpent <= cheapestIron) return 3;
  // Within 1.25 times, in whole numbers: spent * 4 <= cheapest * 5.
  if (ironSpent * 4 <= cheapestIron * 5) return 2;
  return 1;
}

bool BreaksRecord(const LevelRecord& record, int score, int seconds) {
  return record.won && (score > record.bestScore || seconds < record.fastestSeconds);
}
