#include "game/session/level_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "game/rules/level_reader.h"

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;
constexpr const char* kLevelSuffix = ".level";

bool IsLevelFileName(const std::string& name) {
  const std::string suffix = kLevelSuffix;
  return name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The "*.level" names of a folder's plain files, sorted.
std::vector<std::string> LevelFileNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsLevelFileName(name)) continue;
    struct stat info {};
    if (stat((folder + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string TooBigReason(const std::string& fileName, long bytes) {
  return fileName + ": too big to be a level file (" + std::to_string(bytes / 1024) + " KiB; at most " +
         std::to_string(kMostLevelFileBytes / 1024) + " KiB)";
}

}  // namespace

std::uint64_t LevelContentKey(const std::string& text) {
  std::uint64_t hash = kFnvOffset;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= kFnvPrime;
  }
  return hash;
}

ListedLevel ReadListedLevel(const std::string& folder, const std::string& fileName, bool playersOwn) {
  ListedLevel row;
  row.path = folder + fileName;
  row.fileName = fileName;
  row.playersOwn = playersOwn;
  struct stat info {};
  if (stat(row.path.c_str(), &info) != 0) {
    row.reason = fileName + ": cannot be read";
    return row;
  }
  // Refused unread: a huge file would only cost time and memory.
  if (info.st_size > kMostLevelFileBytes) {
    row.reason = TooBigReason(fileName, static_cast<long>(info.st_size));
    return row;
  }
  std::ifstream in(row.path, std::ios::binary);
  if (!in.is_open()) {
    row.reason = fileName + ": cannot be read";
    return row;
  }
  std::stringstream text;
  text << in.rdbuf();
  return ListedFromText(folder, fileName, playersOwn, text.str());
}

ListedLevel ListedFromText(const std::string& folder, const std::string& fileName, bool playersOwn,
                           const std::string& text) {
  ListedLevel row;
  row.path = folder + fileName;
  row.fileName = fileName;
  row.playersOwn = playersOwn;
  if (static_cast<long>(text.size()) > kMostLevelFileBytes) {
    row.reason = TooBigReason(fileName, static_cast<long>(text.size()));
    return row;
  }
  row.contentKey = LevelContentKey(text);
  row.readable = ReadLevelText(text, fileName, row.layout, row.reason);
  return row;
}

LevelListing ListLevelFiles(const std::string& gamesFolder, const std::string& playersFolder) {
  LevelListing listing;
  for (const bool own : {false, true}) {
    const std::string& folder = own ? playersFolder : gamesFolder;
    for (const std::string& name : LevelFileNames(folder)) {
      if (static_cast<int>(listing.rows.size()) >= kMostListedLevels) {
        ++listing.notListed;
      } else {
        listing.rows.push_back(ReadListedLevel(folder, name, own));
      }
    }
  }
  return listing;
}
