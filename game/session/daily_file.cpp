#include "game/session/daily_file.h"

#include <string>

#include "game/session/set_aside.h"
#include "support/file_system.h"

namespace {

constexpr int kMaxValue = 1000000000;
// 1970-01-01 to 9999-12-31.
constexpr int kLastDay = 2932896;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

bool ReadDay(c_FileStream* file, DailyResult* r, std::int64_t previousDay) {
  const int day = file->NextInt();
  r->score = file->NextInt();
  r->arrivalSeconds = file->NextInt();
  r->ironSpent = file->NextInt();
  const int underPar = file->NextInt(), hintUsed = file->NextInt();
  r->day = day;
  r->underPar = underPar == 1;
  r->hintUsed = hintUsed == 1;
  return day > previousDay && InRange(day, 0, kLastDay) && InRange(r->score, 0, kMaxValue) &&
         InRange(r->arrivalSeconds, 0, kMaxValue) && InRange(r->ironSpent, 0, kMaxValue) && InRange(underPar, 0, 1) &&
         InRange(hintUsed, 0, 1);
}

bool ReadDailyResults(c_FileStream* file, DailyResults* results) {
  const int tokens = file->readTokens.Length();
  for (int i = 0; i < tokens; ++i) {
    const std::string text = file->readTokens[i].ToUtf8();
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  }
  if (tokens < 1) return false;
  const int count = file->NextInt();
  if (!InRange(count, 0, kDailyDaysKept) || tokens != 1 + count * kDailyValuesPerDay) return false;
  std::int64_t previous = -1;
  for (int i = 0; i < count; ++i) {
    DailyResult r;
    if (!ReadDay(file, &r, previous)) return false;
    previous = r.day;
    results->days.push_back(r);
  }
  return true;
}

void SetAside(c_FileSystem* fs, c_FileStream* damaged) {
  SetAsideDamaged(fs, damaged, kDamagedDailyFileName,
                  String("The daily results in ") + String(kDailyFileName) + String(" are damaged; they are kept as ") +
                      String(kDamagedDailyFileName) + String(" and the daily results start afresh"));
  PutDailyResults(DailyResults{});
}

}  // namespace

DailyResults LoadDailyResults() {
  c_FileSystem* fs = fileSystem;
  if (fs == nullptr) return DailyResults{};
  c_FileStream* file = fs->OpenFile(String(kDailyFileName));
  if (file == nullptr) return DailyResults{};
  DailyResults results;
  if (ReadDailyResults(file, &results)) return results;
  SetAside(fs, file);
  return DailyResults{};
}

void PutDailyResults(const DailyResults& results) {
  c_FileSystem* fs = fileSystem;
  if (fs == nullptr) return;
  c_FileStream* file = fs->CreateFile(String(kDailyFileName));
  file->AppendInt(static_cast<int>(results.days.size()));
  for (const DailyResult& r : results.days) {
    for (int value : {static_cast<int>(r.day), r.score, r.arrivalSeconds, r.ironSpent, r.underPar ? 1 : 0,
                      r.hintUsed ? 1 : 0}) {
      file->AppendInt(value);
    }
  }
}
