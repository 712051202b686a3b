#include "game/session/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "host/files.h"

#ifndef TARVEX_INSTALLED_DATA
// From the executable's folder to the installed data (set by the build).
#define TARVEX_INSTALLED_DATA "../share/rails-against-time/data"
#endif

namespace {

const char* const kGameFolderName = "rails-against-time";

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace

bool MakeFolders(const std::string& path) {
  for (std::size_t i = 1; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '/') continue;
    const std::string part = path.substr(0, i);
    if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return IsFolder(path);
}

GameFolders ChooseGameFolders(const FolderFacts& facts) {
  GameFolders folders{"./data/", "./", false};
  if (facts.executableFolder.empty()) return folders;
  const std::string installedData = WithSlash(facts.executableFolder) + TARVEX_INSTALLED_DATA;
  if (!facts.isFolder(installedData)) return folders;
  folders.installed = true;
  folders.data = WithSlash(installedData);
  // An XDG variable that is empty or relative is to be ignored.
  std::string base;
  if (facts.xdgDataHome != nullptr && facts.xdgDataHome[0] == '/') {
    base = facts.xdgDataHome;
  } else if (facts.home != nullptr && facts.home[0] == '/') {
    base = WithSlash(facts.home) + ".local/share";
  } else {
    return folders;  // nowhere better: the working folder keeps the state
  }
  folders.state = WithSlash(WithSlash(base) + kGameFolderName);
  return folders;
}

FolderFacts ProcessFolderFacts() {
  FolderFacts facts;
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n > 0) {
    const std::string exe(path, static_cast<std::size_t>(n));
    facts.executableFolder = exe.substr(0, exe.rfind('/'));
  }
  facts.xdgDataHome = std::getenv("XDG_DATA_HOME");
  facts.home = std::getenv("HOME");
  facts.isFolder = IsFolder;
  return facts;
}

bool UseGameFolders(const GameFolders& folders) {
  SetDataFolder(folders.data);
  if (folders.state != "./" && !MakeFolders(folders.state)) {
    std::printf("Cannot create the folder %s for the saved game; it is kept in the working folder\n",
                folders.state.c_str());
    std::fflush(stdout);
    SetStateFolder("./");
    return false;
  }
  SetStateFolder(folders.state);
  return true;
}

std::string PlayerLevelsFolder() { return StateFolder() + "levels/"; }
