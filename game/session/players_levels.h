// The page of custom levels' changes to the player's levels folder: a random
// level kept as a new file, and a file deleted. Nothing is ever written or
// removed outside that folder, whatever a level's name holds.
#pragma once

#include <string>

#include "game/rules/layouts.h"

// The file name a level is kept under, before ".level": its name in lower
// case, letters and digits kept, every other run of characters one '-', at
// most 40 of them ("random" for a name with none).
std::string LevelFileStem(const std::string& levelName);

// Writes the level into `folder` (made when missing) under a name of its own
// that no file there has yet ("name.level", "name-2.level", ...). Answers the
// file's path, or "" with the reason in `error`.
std::string SaveNewPlayersLevel(const std::string& folder, const LevelLayout& layout, std::string& error);

// Removes `path` if it is a file directly inside `folder`; false otherwise.
bool DeletePlayersLevel(const std::string& folder, const std::string& path);
