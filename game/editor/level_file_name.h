// The name of the file a level is saved under, made from the level's name so
// that no name can lead the file out of its folder.
#pragma once

#include <string>

constexpr int kMaxLevelFileStem = 40;

// A file name made from a level's name: lower-case letters, digits and '-',
// at most 40 characters before ".level", never empty, never "." or "..", no
// slash or control character whatever the name holds ("level.level" for a
// name with nothing usable).
std::string LevelFileName(const std::string& levelName);
