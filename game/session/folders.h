// Where the game finds its data and keeps its state file.
//
// Built in the repository (or anywhere its executable is not installed) it
// uses "./data/" and "./.tarvexstate" of the working folder, as the repository
// has always been played. Installed, the data lies beside the executable (in
// ../share/rails-against-time/data) and the state file in the user's data
// folder: $XDG_DATA_HOME, by default ~/.local/share, in "rails-against-time".
#pragma once

#include <string>

struct GameFolders {
  std::string data;   // ends in "/"
  std::string state;  // ends in "/"
  bool installed = false;
};

// What is known of the process, so that the choice can be tested.
struct FolderFacts {
  std::string executableFolder;  // "" when unknown
  const char* xdgDataHome = nullptr;
  const char* home = nullptr;
  bool (*isFolder)(const std::string& path) = nullptr;
};

GameFolders ChooseGameFolders(const FolderFacts& facts);
// The facts of this process: /proc/self/exe, the environment, the disk.
FolderFacts ProcessFolderFacts();
// Hands the folders to the host, creating the state folder when needed.
// False (with a line on standard output) when it cannot be created; the
// working folder then keeps the state.
bool UseGameFolders(const GameFolders& folders);

// mkdir -p: every missing folder of the path; false when it is no folder
// after all.
bool MakeFolders(const std::string& path);

// The player's own level files (made in the editor, or a random level kept):
// "levels/" in the state folder, beside the saved state. Ends in "/".
std::string PlayerLevelsFolder();
