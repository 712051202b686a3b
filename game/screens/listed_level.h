// One level file as the page of custom levels lists it, read or not: a file
// that does not read stays in the list, greyed, with the reader's reason.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/rules/layouts.h"

struct ListedLevel {
  std::string path;      // where the file lies
  std::string fileName;  // its name alone, shown where the level's name cannot be
  bool playersOwn = false;  // in the player's levels folder (which may be deleted from)
  bool readable = false;
  std::string reason;    // why it does not read: one line
  LevelLayout layout;    // when readable
  std::uint64_t contentKey = 0;  // the records' key: a hash of the file's text
  int cheapestIron = kIronNotWorkedOut;

  static constexpr int kIronNotWorkedOut = -1;
  // The name a row shows: the level's own, or the file's when it does not read.
  const std::string& ShownName() const { return readable && !layout.name.empty() ? layout.name : fileName; }
};

struct LevelListing {
  std::vector<ListedLevel> rows;  // the game's own first, then the player's, each by file name
  int notListed = 0;              // files past the most the page lists
};
