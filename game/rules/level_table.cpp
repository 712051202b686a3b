#include "game/rules/level_table.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/rules/layouts.h"
#include "game/rules/level_reader.h"
#include "game/rules/state.h"

// The texts of data/levels/01.level .. 15.level, made by the build from the
// files (cmake/EmbedLevels.cmake).
extern const char* const kBuiltinLevelTexts[kLevelCount];

namespace {

constexpr const char* kLevelsFolder = "levels/";

std::vector<LevelLayout> ReadBuiltinLevels() {
  std::vector<LevelLayout> table(kLevelCount);
  for (int n = 1; n <= kLevelCount; ++n) {
    std::string error;
    if (!ReadLevelText(kBuiltinLevelTexts[n - 1], "(built in) " + LevelFileName(n), table[n - 1], error)) {
      // The tests read every file the build copies; this cannot pass them.
      std::fprintf(stderr, "%s\n", error.c_str());
      std::abort();
    }
  }
  return table;
}

std::vector<LevelLayout>& Table() {
  static std::vector<LevelLayout> table = ReadBuiltinLevels();
  return table;
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string LevelFileName(int levelNumber) {
  char name[16];
  std::snprintf(name, sizeof name, "%02d.level", levelNumber);
  return name;
}

bool UseDataFolderLevels(const std::string& dataFolder, std::string& error) {
  const std::string folder = dataFolder + kLevelsFolder;
  if (!IsFolder(folder)) return true;
  std::vector<LevelLayout> read(kLevelCount);
  for (int n = 1; n <= kLevelCount; ++n) {
    if (!LoadLevelFile(folder + LevelFileName(n), read[n - 1], error)) return false;
  }
  Table() = std::move(read);
  return true;
}

const std::vector<LevelLayout>& LevelTable() { return Table(); }

const LevelLayout& LevelLayoutOf(int levelNumber) {
  const std::vector<LevelLayout>& table = LevelTable();
  if (levelNumber < 1) levelNumber = 1;
  if (levelNumber > static_cast<int>(table.size())) levelNumber = static_cast<int>(table.size());
  return table[levelNumber - 1];
}
