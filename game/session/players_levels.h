// The page of custom levels' changes to the player's levels folder: a random
// level kept as a new file, and a file deleted. Nothing is ever written or
// removed outside that folder, whatever a level's name holds.
#pragma once

#include <functional>
#include <string>

#include "game/rules/layouts.h"
#include "game/session/level_saving.h"

// Keeps the level in `folder` as the editor saves one (level_saving.h), under
// a file of its own: when its name's file is there already, the name gets a
// number ("High Flats 2", high-flats-2.level) until one is free. Answers the
// file's path, or "" with the reason in `error`.
std::string SaveNewPlayersLevel(const std::string& folder, const LevelLayout& layout, std::string& error);
// The same through any way of saving a level without writing over a file.
using LevelSaver = std::function<SaveResult(const LevelLayout&)>;
std::string SaveNewPlayersLevel(const LevelSaver& save, const LevelLayout& layout, std::string& error);

// Removes `path` if it is a file directly inside `folder`; false otherwise.
bool DeletePlayersLevel(const std::string& folder, const std::string& path);
