#include "game/session/players_levels.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <fstream>

#include "game/rules/level_writer.h"

namespace {

constexpr std::size_t kMostFileNameLetters = 40;
constexpr const char* kLevelSuffix = ".level";
constexpr int kMostSameNames = 1000;

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

bool MakeFolder(const std::string& folder) {
  return mkdir(folder.c_str(), 0755) == 0 || Exists(folder);
}

}  // namespace

std::string LevelFileStem(const std::string& levelName) {
  std::string stem;
  for (unsigned char c : levelName) {
    if (stem.size() >= kMostFileNameLetters) break;
    if (std::isalnum(c) != 0 && c < 128) {
      stem += static_cast<char>(std::tolower(c));
    } else if (!stem.empty() && stem.back() != '-') {
      stem += '-';
    }
  }
  while (!stem.empty() && stem.back() == '-') stem.pop_back();
  return stem.empty() ? std::string("random") : stem;
}

std::string SaveNewPlayersLevel(const std::string& folder, const LevelLayout& layout, std::string& error) {
  if (!MakeFolder(folder)) {
    error = "Cannot make the folder " + folder;
    return "";
  }
  const std::string stem = LevelFileStem(layout.name);
  std::string path = folder + stem + kLevelSuffix;
  for (int n = 2; Exists(path); ++n) {
    if (n > kMostSameNames) {
      error = "Too many levels named " + stem;
      return "";
    }
    path = folder + stem + "-" + std::to_string(n) + kLevelSuffix;
  }
  std::ofstream out(path, std::ios::binary);
  out << WriteLevelText(layout);
  out.close();
  if (!out) {
    error = "Cannot write " + path;
    return "";
  }
  return path;
}

bool DeletePlayersLevel(const std::string& folder, const std::string& path) {
  if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) return false;
  if (path.find('/', folder.size()) != std::string::npos) return false;
  return unlink(path.c_str()) == 0;
}
