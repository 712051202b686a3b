#include "game/views/end_figures.h"

EndFigures FinalFigures(const Progress& progress, const LevelRecords& records) {
  EndFigures figures;
  figures.score = progress.totalScore;
  figures.gold = progress.totalGold;
  for (const LevelRecord& record : records.levels) {
    if (record.won) figures.seconds += record.fastestSeconds;
  }
  return figures;
}
