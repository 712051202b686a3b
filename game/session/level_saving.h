// Saving a level made in the editor into the player's levels folder. Only a
// level the solver proves winnable is written, whole or not at all.
#pragma once

#include <string>

#include "game/rules/layouts.h"
#include "host/platform.h"

enum class SaveOutcome { Saved, AlreadyThere, NotWinnable, Failed };

struct SaveResult {
  SaveOutcome outcome;
  std::string path;
  std::string message;
};

// Writes the level into `folder` (made when missing) under LevelFileName(name):
// refused with the verdict's text while the level cannot be won; refused with
// AlreadyThere when the file exists and `overwrite` is false (the screen asks,
// then calls again with true). Written whole or not at all (a temporary file
// renamed over), never outside `folder`. The name is taken as SetLevelName
// keeps it, in the file and for the file's name.
SaveResult SaveEditedLevel(const std::string& folder, const LevelLayout& level, bool overwrite);
// The same through the given files, so that a failing disk can be tried.
SaveResult SaveEditedLevel(const std::string& folder, const LevelLayout& level, bool overwrite, HostFiles& files);
