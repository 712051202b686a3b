#include "game/session/custom_records_file.h"

#include <string>

#include "game/session/set_aside.h"
#include "support/file_system.h"

namespace {

constexpr int kMaxValue = 1000000000;
constexpr int kKeyPartBits = 16;
constexpr int kKeyPartMask = 0xFFFF;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

bool AllWholeNumbers(c_FileStream* file) {
  for (int i = 0; i < file->readTokens.Length(); ++i) {
    const std::string text = file->readTokens[i].ToUtf8();
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  }
  return true;
}

bool ReadKey(c_FileStream* file, std::uint64_t* key) {
  *key = 0;
  for (int part = 0; part < kCustomKeyParts; ++part) {
    const int value = file->NextInt();
    if (!InRange(value, 0, kKeyPartMask)) return false;
    *key = (*key << kKeyPartBits) | static_cast<std::uint64_t>(value);
  }
  return true;
}

bool ReadCustomRecords(c_FileStream* file, CustomRecords* records) {
  const int tokens = file->readTokens.Length();
  if (tokens < 1 || !AllWholeNumbers(file)) return false;
  const int count = file->NextInt();
  if (!InRange(count, 0, kCustomRecordsKept) || tokens != 1 + count * kCustomValuesPerLevel) return false;
  for (int i = 0; i < count; ++i) {
    std::uint64_t key = 0;
    if (!ReadKey(file, &key)) return false;
    CustomRecord r;
    r.bestScore = file->NextInt();
    r.fastestSeconds = file->NextInt();
    if (!InRange(r.bestScore, 0, kMaxValue) || !InRange(r.fastestSeconds, 0, kMaxValue)) return false;
    if (!records->levels.emplace(key, r).second) return false;  // a level twice
  }
  return true;
}

void SetAside(c_FileSystem* fs, c_FileStream* damaged) {
  SetAsideDamaged(fs, damaged, kDamagedCustomRecordsFileName,
                  String("The records of custom levels in ") + String(kCustomRecordsFileName) +
                      String(" are damaged; they are kept as ") + String(kDamagedCustomRecordsFileName) +
                      String(" and those records start afresh"));
  PutCustomRecords(CustomRecords{});
}

}  // namespace

CustomRecords LoadCustomRecords() {
  c_FileSystem* fs = fileSystem;
  if (fs == nullptr) return CustomRecords{};
  c_FileStream* file = fs->OpenFile(String(kCustomRecordsFileName));
  if (file == nullptr) return CustomRecords{};
  CustomRecords records;
  if (ReadCustomRecords(file, &records)) return records;
  SetAside(fs, file);
  return CustomRecords{};
}

void PutCustomRecords(const CustomRecords& records) {
  c_FileSystem* fs = fileSystem;
  if (fs == nullptr) return;
  c_FileStream* file = fs->CreateFile(String(kCustomRecordsFileName));
  file->AppendInt(static_cast<int>(records.levels.size()));
  for (const auto& [key, r] : records.levels) {
    for (int part = kCustomKeyParts - 1; part >= 0; --part) {
      file->AppendInt(static_cast<int>((key >> (part * kKeyPartBits)) & kKeyPartMask));
    }
    file->AppendInt(r.bestScore);
    file->AppendInt(r.fastestSeconds);
  }
}
