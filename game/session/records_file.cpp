#include "game/session/records_file.h"

#include <string>

#include "game/session/set_aside.h"
#include "support/file_system.h"

namespace {

// Far above any score or time a level can reach.
constexpr int kMaxRecordScore = 1000000000;
constexpr int kMaxRecordSeconds = 24 * 60 * 60;

bool IsWholeNumber(const String& token) {
  const std::string text = token.ToUtf8();
  if (text.empty() || text.size() > 10) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// The stars after the other values: none before a win, up to 3 after (0 for
// a win recorded before there were stars, written back as it was read).
bool ReadStars(c_FileStream* file, LevelRecords* records) {
  for (LevelRecord& r : records->levels) {
    r.stars = file->NextInt();
    if (!InRange(r.stars, 0, r.won ? kMostStars : 0)) return false;
  }
  return true;
}

// Reads the file's values into records; false when any is missing, not a
// whole number or out of its range.
bool ReadRecords(c_FileStream* file, LevelRecords* records) {
  const int count = file->readTokens.Length();
  if (count != kRecordsValueCount && count != kRecordsValueCountBeforeStars) return false;
  for (int i = 0; i < file->readTokens.Length(); ++i) {
    if (!IsWholeNumber(file->readTokens[i])) return false;
  }
  if (file->NextInt() != kLevelCount) return false;
  for (LevelRecord& r : records->levels) {
    const int won = file->NextInt();
    r.bestScore = file->NextInt();
    r.fastestSeconds = file->NextInt();
    const int withoutHint = file->NextInt();
    if (!InRange(won, 0, 1) || !InRange(withoutHint, 0, won) || !InRange(r.bestScore, 0, kMaxRecordScore)) return false;
    if (!InRange(r.fastestSeconds, 0, won == 1 ? kMaxRecordSeconds : 0)) return false;
    r.won = won == 1;
    r.wonWithoutHint = withoutHint == 1;
  }
  return count == kRecordsValueCountBeforeStars || ReadStars(file, records);
}

void SetAside(c_FileSystem* fs, c_FileStream* damaged) {
  SetAsideDamaged(fs, damaged, kDamagedRecordsFileName,
                  String("The records in ") + String(kRecordsFileName) + String(" are damaged; they are kept as ") +
                      String(kDamagedRecordsFileName) + String(" and the records start afresh"));
  PutRecords(LevelRecords{});
}

}  // namespace

LevelRecords LoadRecords() {
  c_FileSystem* fs = fileSystem;
  if (fs == nullptr) return LevelRecords{};
  c_FileStream* file = fs->OpenFile(String(kRecordsFileName));
  if (file == nullptr) return LevelRecords{};
  LevelRecords records;
  if (ReadRecords(file, &records)) return records;
  SetAside(fs, file);
  return LevelRecords{};
}

void PutRecords(const LevelRecords& records) {
  c_FileSystem* fs = fileSystem;
  if (fs == nullptr) return;
  c_FileStream* file = fs->CreateFile(String(kRecordsFileName));
  file->AppendInt(kLevelCount);
  for (const LevelRecord& r : records.levels) {
    for (int value : {r.won ? 1 : 0, r.bestScore, r.fastestSeconds, r.wonWithoutHint ? 1 : 0}) file->AppendInt(value);
  }
  for (const LevelRecord& r : records.levels) file->AppendInt(r.stars);
}
