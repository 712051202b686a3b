// Where the fifteen levels of the campaign come from: the level files
// data/levels/01.level .. 15.level. The program reads them from its data
// folder at start-up. A run whose data folder has no levels/ (a headless
// replay in another folder, the tools, the tests) plays the copies of the
// same files that the build puts into the program. LevelTable() and
// LevelLayoutOf() (layouts.h) answer from whichever was read.
#pragma once

#include <string>

// "01.level" .. "15.level".
std::string LevelFileName(int levelNumber);
// Reads the fifteen files of `dataFolder` + "levels/" in place of the built-in
// copies. False with the first file's error line when one cannot be read;
// the levels are then left as they were. Without that folder, true and the
// built-in copies stay. Called once at start-up, before any layout is taken:
// a reference from LevelLayoutOf() does not outlive it.
[[nodiscard]] bool UseDataFolderLevels(const std::string& dataFolder, std::string& error);
