// Where the editor's Save writes: the player's levels folder on the disk, or,
// in a run that must leave the disk as it found it (a replay, the scripted
// player), that folder kept in the run's memory, so a replay saves the same
// way every time whatever the player's own folder holds.
#pragma once

#include <string>

#include "game/rules/layouts.h"
#include "game/screens/listed_level.h"
#include "game/session/level_saving.h"
#include "host/platform.h"

SaveResult SaveEditedLevelFor(HostFiles* files, const LevelLayout& level, bool overwrite);
// The page of custom levels' side of the same folder: its listing (the game's
// own extra levels from the data, the player's from the disk or the run's
// memory), a random level kept under a free name, and a file deleted.
LevelListing ListLevelFilesFor(HostFiles* files);
std::string SaveNewPlayersLevelFor(HostFiles* files, const LevelLayout& level, std::string& error);
bool DeletePlayersLevelFor(HostFiles* files, const std::string& path);
