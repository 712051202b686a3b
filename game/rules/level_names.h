// Each level's short name, as the scenario map and the status strip show it.
// Kept apart from the board layouts so that a level's own file can carry its
// name later without the screens changing.
#pragma once

// The name of level 1..15; an empty text for any other number.
const char* LevelName(int level);
