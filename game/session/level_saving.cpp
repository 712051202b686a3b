#include "game/session/level_saving.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "game/editor/level_edit.h"
#include "game/editor/level_file_name.h"
#include "game/editor/level_verdict.h"
#include "game/rules/level_writer.h"
#include "game/session/folders.h"

namespace {

SaveResult Failure(const std::string& path, const std::string& what) {
  return {SaveOutcome::Failed, path, "Cannot save " + path + ": " + what};
}

// Writes the whole text into `temp`, synced to the disk; removes what it
// wrote when any step fails.
bool WriteWhole(HostFiles& files, const std::string& temp, const std::string& text, std::string& error) {
  std::FILE* file = files.Open(temp, "wb");
  if (file == nullptr) {
    error = std::strerror(errno);
    return false;
  }
  const bool written = files.Write(text.data(), text.size(), file) == text.size();
  const bool synced = written && files.Sync(file);
  const bool closed = files.Close(file);
  if (written && synced && closed) return true;
  error = "the disk refused the writing";
  files.Remove(temp);
  return false;
}

// Puts the written file in place. Without `overwrite`, a hard link is made
// instead of a rename, so a file that is already there is never replaced,
// even one that appeared since the caller asked.
bool PutInPlace(HostFiles& files, const std::string& temp, const std::string& path, bool overwrite, bool& wasThere) {
  wasThere = false;
  if (overwrite) return files.Rename(temp, path);
  const bool linked = link(temp.c_str(), path.c_str()) == 0;
  const int linkError = errno;
  wasThere = !linked && linkError == EEXIST;
  files.Remove(temp);
  errno = linkError;
  return linked;
}

}  // namespace

SaveResult SaveEditedLevel(const std::string& folder, const LevelLayout& level, bool overwrite) {
  return SaveEditedLevel(folder, level, overwrite, *DefaultHostFiles());
}

SaveResult SaveEditedLevel(const std::string& folder, const LevelLayout& level, bool overwrite, HostFiles& files) {
  // A name set past the panel's rule is kept as the panel would keep it, so
  // that the file always reads back.
  LevelLayout saved = level;
  SetLevelName(saved, level.name);
  const LevelVerdict verdict = JudgeLevel(saved);
  if (!verdict.winnable) return {SaveOutcome::NotWinnable, "", verdict.text};
  if (folder.empty()) return Failure("the levels folder", "it has no name");
  const std::string inside = folder.back() == '/' ? folder : folder + "/";
  const std::string name = LevelFileName(saved.name);
  const std::string path = inside + name;
  if (!MakeFolders(inside)) return Failure(path, "the folder cannot be made");
  // Hidden and not ending in ".level", so no list of levels shows it.
  const std::string temp = inside + "." + name + ".saving";
  std::string error;
  if (!WriteWhole(files, temp, WriteLevelText(saved), error)) return Failure(path, error);
  bool wasThere = false;
  if (!PutInPlace(files, temp, path, overwrite, wasThere)) {
    if (wasThere) return {SaveOutcome::AlreadyThere, path, name + " is already there: save over it?"};
    files.Remove(temp);
    return Failure(path, std::strerror(errno));
  }
  files.SyncFolder(inside);
  return {SaveOutcome::Saved, path, "Saved as " + name};
}
