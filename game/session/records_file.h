// The records kept in their own file "records.sav" of the embedded file system,
// beside the save "trandle.sav" and stored with it. A save without records
// loads as it is (no records yet); a records file with the wrong count or a
// value out of range is set aside as "records.damaged" with one line on
// standard output, and the game goes on with empty records. The records file
// never decides whether the state file is kept aside: only the save does.
#pragma once

#include "game/screens/level_records.h"

constexpr const char* kRecordsFileName = "records.sav";
constexpr const char* kDamagedRecordsFileName = "records.damaged";
// The level count, then per level: won (0 or 1), best score, fastest arrival
// in seconds, won without a hint (0 or 1); then each level's stars (0 before
// its first win, else 1 to 3, or 0 for a win kept from before the stars).
// Files written before the stars end after the fourth values and read with no
// stars.
constexpr int kRecordValuesPerLevel = 4;
constexpr int kRecordsValueCountBeforeStars = 1 + kLevelCount * kRecordValuesPerLevel;
constexpr int kRecordsValueCount = kRecordsValueCountBeforeStars + kLevelCount;

// The records in the file system, or empty ones.
LevelRecords LoadRecords();
// Writes the records into the file system; the next SaveProgress stores them
// with the save.
void PutRecords(const LevelRecords& records);
