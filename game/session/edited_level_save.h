// Where the editor's Save writes: the player's levels folder on the disk, or,
// in a run that must leave the disk as it found it (a replay, the scripted
// player), that folder kept in the run's memory, so a replay saves the same
// way every time whatever the player's own folder holds.
#pragma once

#include "game/rules/layouts.h"
#include "game/session/level_saving.h"
#include "host/platform.h"

SaveResult SaveEditedLevelFor(HostFiles* files, const LevelLayout& level, bool overwrite);
