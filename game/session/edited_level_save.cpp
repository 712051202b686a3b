#include "game/session/edited_level_save.h"

#include "game/editor/level_file_name.h"
#include "game/editor/level_verdict.h"
#include "game/rules/level_writer.h"
#include "game/session/folders.h"
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
