#include "game/session/edited_level_save.h"

#include "game/editor/level_file_name.h"
#include "game/editor/level_verdict.h"
#include "game/rules/level_writer.h"
#include "game/session/folders.h"
#include "game/session/level_listing.h"
#include "game/session/players_levels.h"
#include "host/files.h"
#include "host/memory_files.h"

namespace {

// The same answers as on the disk, from the run's memory alone.
SaveResult SaveInMemory(MemoryFiles& files, const LevelLayout& level, bool overwrite) {
  const LevelVerdict verdict = JudgeLevel(level);
  if (!verdict.winnable) return {SaveOutcome::NotWinnable, "", verdict.text};
  const std::string name = LevelFileName(level.name);
  const std::string path = PlayerLevelsFolder() + name;
  std::string there;
  if (files.Get(path, &there) && !overwrite) {
    return {SaveOutcome::AlreadyThere, path, name + " is already there: save over it?"};
  }
  files.Put(path, WriteLevelText(level));
  return {SaveOutcome::Saved, path, "Saved as " + name};
}

}  // namespace

SaveResult SaveEditedLevelFor(HostFiles* files, const LevelLayout& level, bool overwrite) {
  if (auto* memory = dynamic_cast<MemoryFiles*>(files)) return SaveInMemory(*memory, level, overwrite);
  return SaveEditedLevel(PlayerLevelsFolder(), level, overwrite);
}

LevelListing ListLevelFilesFor(HostFiles* files) {
  const std::string games = DataFolder() + "levels/extra/";
  auto* memory = dynamic_cast<MemoryFiles*>(files);
  if (memory == nullptr) return ListLevelFiles(games, PlayerLevelsFolder());
  // A run in memory lists the levels it saved itself, never the player's.
  LevelListing listing = ListLevelFiles(games, "");
  const std::string folder = PlayerLevelsFolder();
  for (const std::string& name : memory->NamesIn(folder)) {
    if (name.size() <= 6 || name.compare(name.size() - 6, 6, ".level") != 0) continue;
    if (static_cast<int>(listing.rows.size()) >= kMostListedLevels) {
      ++listing.notListed;
      continue;
    }
    std::string text;
    memory->Get(folder + name, &text);
    listing.rows.push_back(ListedFromText(folder, name, true, text));
  }
  return listing;
}

std::string SaveNewPlayersLevelFor(HostFiles* files, const LevelLayout& level, std::string& error) {
  return SaveNewPlayersLevel([files](const LevelLayout& named) { return SaveEditedLevelFor(files, named, false); },
                             level, error);
}

bool DeletePlayersLevelFor(HostFiles* files, const std::string& path) {
  auto* memory = dynamic_cast<MemoryFiles*>(files);
  if (memory == nullptr) return DeletePlayersLevel(PlayerLevelsFolder(), path);
  const std::string folder = PlayerLevelsFolder();
  std::string text;
  if (path.compare(0, folder.size(), folder) != 0 || !memory->Get(path, &text)) return false;
  memory->Remove(path);
  return true;
}
