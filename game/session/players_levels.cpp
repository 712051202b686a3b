#include "game/session/players_levels.h"

#include <unistd.h>

#include "game/rules/level_format.h"
#include "game/session/level_saving.h"

namespace {

constexpr int kMostSameNames = 1000;

// "High Flats 2": the name cut so that the number still fits a level's name.
std::string NumberedName(const std::string& name, int number) {
  const std::string suffix = " " + std::to_string(number);
  const std::size_t room = static_cast<std::size_t>(kMaxLevelNameLength) - suffix.size();
  return name.substr(0, room) + suffix;
}

}  // namespace

std::string SaveNewPlayersLevel(const std::string& folder, const LevelLayout& layout, std::string& error) {
  return SaveNewPlayersLevel([&folder](const LevelLayout& level) { return SaveEditedLevel(folder, level, false); },
                             layout, error);
}

std::string SaveNewPlayersLevel(const LevelSaver& save, const LevelLayout& layout, std::string& error) {
  LevelLayout named = layout;
  for (int number = 1; number <= kMostSameNames; ++number) {
    if (number > 1) named.name = NumberedName(layout.name, number);
    const SaveResult result = save(named);
    if (result.outcome == SaveOutcome::Saved) return result.path;
    if (result.outcome != SaveOutcome::AlreadyThere) {
      error = result.message;
      return "";
    }
  }
  error = "Too many levels named " + layout.name;
  return "";
}

bool DeletePlayersLevel(const std::string& folder, const std::string& path) {
  if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) return false;
  if (path.find('/', folder.size()) != std::string::npos) return false;
  return unlink(path.c_str()) == 0;
}
