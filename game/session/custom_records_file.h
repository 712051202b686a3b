// The records of custom levels in their own file "custom.sav" of the
// embedded file system, stored with the save as the level records are. A
// damaged file is set aside as "custom.damaged" with one line and the
// records start afresh.
#pragma once

#include "game/screens/custom_records.h"

constexpr const char* kCustomRecordsFileName = "custom.sav";
constexpr const char* kDamagedCustomRecordsFileName = "custom.damaged";
// The number of levels, then per level: its key as four 16-bit parts (the
// file holds no number wider than 32 bits), best score, fastest arrival in
// seconds.
constexpr int kCustomKeyParts = 4;
constexpr int kCustomValuesPerLevel = kCustomKeyParts + 2;

CustomRecords LoadCustomRecords();
void PutCustomRecords(const CustomRecords& records);
