// The level files the page of custom levels lists: the game's own extra
// levels (data/levels/extra/) and the player's (PlayerLevelsFolder()), every
// "*.level" file of each, by name. Every file is read with the level reader;
// one that does not read is listed with the reader's line, never dropped. A
// folder of thousands of files, or of huge ones, costs no more than a page.
#pragma once

#include <cstdint>
#include <string>

#include "game/screens/listed_level.h"

// A level file bigger than this is not read (no level file comes near it).
constexpr long kMostLevelFileBytes = 64 * 1024;
// Files listed at most; the rest are counted.
constexpr int kMostListedLevels = 500;

// The records' key of a level file: the 64-bit FNV-1a hash of its text.
std::uint64_t LevelContentKey(const std::string& text);

// The game's own folder first, then the player's; a missing folder lists nothing.
LevelListing ListLevelFiles(const std::string& gamesFolder, const std::string& playersFolder);

// A file's row from its text, as read from wherever it is kept.
ListedLevel ListedFromText(const std::string& folder, const std::string& fileName, bool playersOwn,
                           const std::string& text);

// One file, read (or refused) as the page lists it.
ListedLevel ReadListedLevel(const std::string& folder, const std::string& fileName, bool playersOwn);
